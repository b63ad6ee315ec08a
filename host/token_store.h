// The host's token values: 8 bytes per token, set only by scripts (and the render options).
// A token that was never set reads as 8 zero bytes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// What kind of value a token stands for. Most are 64-bit floats; the host knows a few that the
// simulation keeps as integers or texts, so that a script cannot hand a gauge a number where it
// expects a text reference (which it would follow) or a float where it tests an integer word.
enum class TokenKind { Number, Integer, Text };
TokenKind token_kind(uint32_t token);
const char* token_kind_name(TokenKind kind);

class TokenStore {
public:
    using Value = std::array<uint8_t, 8>;

    // A 64-bit float.
    void set_number(uint32_t token, double value);
    // A 32-bit integer in the low word, the high word 0.
    void set_integer(uint32_t token, uint32_t value);
    // A text (bytes of the Windows Western code page, at most kTextSlotSize - 1 of them): the
    // value holds the text's address in its low word and 0 in its high word. Each text token
    // keeps one slot of the text arena, given out in order of first use, so the same script
    // gives the same addresses. False (and *error set) when the text is too long, holds a NUL,
    // or no slot can be had.
    bool set_text(uint32_t token, std::string_view text, std::string* error);

    Value read(uint32_t token) const;

private:
    std::map<uint32_t, Value> values_;
    std::map<uint32_t, size_t> text_slots_;
};
