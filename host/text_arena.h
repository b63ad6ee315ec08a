// Memory for the values of text tokens, at a fixed address below 4 GiB. A text token's value
// holds the address of its text in its first bytes and 0 in its high word, and string change
// keys read those 8 bytes as a number, so the addresses must be the same in every run and in
// both forms of the host: one block at kTextArenaAddress, one slot per text token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uintptr_t kTextArenaAddress = 0x10000000;
constexpr size_t kTextSlotSize = 256;   // a text of up to 255 bytes and its NUL
constexpr size_t kTextSlotCount = 256;
constexpr size_t kTextArenaSize = kTextSlotSize * kTextSlotCount;

// The arena: kTextArenaSize zero-filled bytes at kTextArenaAddress, reserved on the first call
// and kept for the life of the process. Null (and *error set) when that address is taken.
// Native: text_arena_native.cpp (mmap); Win32: text_arena_win32.cpp (VirtualAlloc).
char* text_arena(std::string* error);
