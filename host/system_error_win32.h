// The system's own text for a Windows error code, for messages of the Win32 host.
#pragma once

#include <windows.h>

#include <string>

// FormatMessage's text without the trailing line break; "%1", which some messages use for the
// file concerned, is replaced by `file`. Unknown codes give "error N".
inline std::string system_error_text(DWORD code, const std::string& file = {}) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    for (size_t at = text.find("%1"); at != std::string::npos;
         at = text.find("%1", at + file.size()))
        text.replace(at, 2, file);
    return text.empty() ? "error " + std::to_string(code) : text;
}
