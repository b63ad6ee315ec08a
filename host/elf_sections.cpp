#include "host/elf_sections.h"

#include <cstring>

namespace {

uint64_t read_le(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

// True when [offset, offset + length) lies within a buffer of `size` bytes.
bool within(uint64_t offset, uint64_t length, size_t size) {
    return offset <= size && length <= size - offset;
}

constexpr size_t kElfHeaderSize = 64;
constexpr size_t kSectionHeaderSize = 64;
constexpr uint32_t kSectionNoBits = 8;  // SHT_NOBITS: occupies no file space

}  // namespace

ElfLookup elf64_find_section(const uint8_t* file, size_t size, const char* name, ElfSection* out,
                             std::string* error) {
    if (size < kElfHeaderSize || std::memcmp(file, "\x7f" "ELF", 4) != 0) {
        *error = "not an ELF file";
        return ElfLookup::kMalformed;
    }
    if (file[4] != 2 || file[5] != 1) {
        *error = "not a 64-bit little-endian ELF file";
        return ElfLookup::kMalformed;
    }
    uint64_t table = read_le(file + 0x28, 8);     // e_shoff
    uint64_t entry_size = read_le(file + 0x3A, 2);
    uint64_t count = read_le(file + 0x3C, 2);
    uint64_t names_index = read_le(file + 0x3E, 2);
    if (count == 0) {
        *error = "ELF file without section headers";
        return ElfLookup::kMalformed;
    }
    if (entry_size < kSectionHeaderSize || !within(table, entry_size * count, size)) {
        *error = "ELF section headers lie outside the file";
        return ElfLookup::kMalformed;
    }
    if (names_index >= count) {
        *error = "ELF section name table index out of range";
        return ElfLookup::kMalformed;
    }
    auto header = [&](uint64_t i) { return file + table + i * entry_size; };
    const uint8_t* names_header = header(names_index);
    uint64_t names_offset = read_le(names_header + 0x18, 8);
    uint64_t names_size = read_le(names_header + 0x20, 8);
    if (!within(names_offset, names_size, size)) {
        *error = "ELF section name table lies outside the file";
        return ElfLookup::kMalformed;
    }
    const char* names = reinterpret_cast<const char*>(file + names_offset);
    size_t name_length = std::strlen(name);

    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* h = header(i);
        uint64_t name_at = read_le(h, 4);
        if (name_at >= names_size || names_size - name_at < name_length + 1) continue;
        if (std::memcmp(names + name_at, name, name_length + 1) != 0) continue;
        uint32_t type = uint32_t(read_le(h + 4, 4));
        uint64_t offset = read_le(h + 0x18, 8);
        uint64_t length = read_le(h + 0x20, 8);
        if (type == kSectionNoBits) {
            *error = std::string("ELF section ") + name + " holds no bytes in the file";
            return ElfLookup::kMalformed;
        }
        if (!within(offset, length, size)) {
            *error = std::string("ELF section ") + name + " lies outside the file";
            return ElfLookup::kMalformed;
        }
        out->offset = size_t(offset);
        out->size = size_t(length);
        return ElfLookup::kFound;
    }
    return ElfLookup::kAbsent;
}

bool elf64_segments_within_file(const uint8_t* file, size_t size, std::string* error) {
    if (size < 6 || std::memcmp(file, "\x7f" "ELF", 4) != 0 || file[4] != 2 || file[5] != 1)
        return true;
    if (size < kElfHeaderSize) {
        *error = "the file ends inside its ELF header";
        return false;
    }
    uint64_t table = read_le(file + 0x20, 8);  // e_phoff
    uint64_t entry_size = read_le(file + 0x36, 2);
    uint64_t count = read_le(file + 0x38, 2);
    constexpr uint64_t kProgramHeaderSize = 56;
    if (count != 0 && (entry_size < kProgramHeaderSize || !within(table, entry_size * count, size))) {
        *error = "the file ends inside its ELF program headers";
        return false;
    }
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* h = file + table + i * entry_size;
        uint64_t offset = read_le(h + 8, 8);
        uint64_t length = read_le(h + 32, 8);  // p_filesz
        if (!within(offset, length, size)) {
            *error = "the file ends inside ELF segment " + std::to_string(i) + " (it is " +
                     std::to_string(size) + " bytes, the segment needs " +
                     std::to_string(offset + length) + ")";
            return false;
        }
    }
    return true;
}
