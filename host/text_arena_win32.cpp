// Win32 form of the text arena: one committed block at the fixed address, from VirtualAlloc.
#include "host/text_arena.h"

#include "host/system_error_win32.h"

char* text_arena(std::string* error) {
    static char* arena = nullptr;
    static std::string failure;
    if (arena == nullptr && failure.empty()) {
        void* wanted = reinterpret_cast<void*>(kTextArenaAddress);
        // Committed pages come zero-filled. VirtualAlloc takes the address exactly or fails.
        void* got = VirtualAlloc(wanted, kTextArenaSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (got == wanted) {
            arena = static_cast<char*>(got);
        } else {
            DWORD code = GetLastError();
            if (got != nullptr) VirtualFree(got, 0, MEM_RELEASE);
            failure = "cannot reserve text memory at 0x10000000: " + system_error_text(code);
        }
    }
    if (arena == nullptr && error != nullptr) *error = failure;
    return arena;
}
