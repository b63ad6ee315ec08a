#include "tools/art/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace art {

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    int err = errno;
    bool closed = std::fclose(f) == 0;
    if (written != bytes.size() || !closed)
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(err ? err : errno));
}

std::vector<uint8_t> read_file(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) throw std::runtime_error("cannot read " + path);
    return bytes;
}

}  // namespace art
