#include "host/text_arena.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>

char* text_arena(std::string* error) {
    static char* arena = nullptr;
    static std::string failure;
    if (arena == nullptr && failure.empty()) {
        void* wanted = reinterpret_cast<void*>(kTextArenaAddress);
        void* got = mmap(wanted, kTextArenaSize, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (got == wanted) {
            arena = static_cast<char*>(got);
        } else {
            int reason = got == MAP_FAILED ? errno : EEXIST;
            // An older kernel takes the address as a hint only: give back what it chose.
            if (got != MAP_FAILED) munmap(got, kTextArenaSize);
            failure = "cannot reserve text memory at 0x10000000: " + std::string(std::strerror(reason));
        }
    }
    if (arena == nullptr && error != nullptr) *error = failure;
    return arena;
}
