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

// Whether a file the system loader is about to map is whole: a 64-bit little-endian ELF file
// whose program headers and every segment's bytes lie within the file. Mapping a segment that
// the file does not cover would fault on first touch instead of failing to load. Files that
// are not 64-bit ELF pass: the loader itself refuses them with its own reason.
bool elf64_segments_within_file(const uint8_t* file, size_t file_size, std::string* error);
