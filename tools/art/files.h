// Whole-file reading and writing for the generators; failures raise std::runtime_error with the
// path and the system's reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

void write_file(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_file(const std::string& path);

}  // namespace art
