// Finds a named section in the bytes of a 64-bit little-endian ELF file. Every offset and size
// read from the file is checked against the file's length, so a truncated or garbage file gives
// a message, never a read outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ElfSection {
    size_t offset = 0;  // from the start of the file
    size_t size = 0;
};

enum class ElfLookup { kFound, kAbsent, kMalformed };

// kFound: *out is the section's bytes, within the file. kAbsent: a well-formed file without such
// a section. kMalformed: *error says what is wrong with the file.
ElfLookup elf64_find_section(const uint8_t* file, size_t file_size, const char* name,
                             ElfSection* out, std::string* error);
