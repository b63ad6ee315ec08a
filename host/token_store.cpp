#include "host/token_store.h"

#include "host/text_arena.h"

#include <cstring>

TokenKind token_kind(uint32_t token) {
    switch (token) {
        case 0x13:  // ADF station identifier
        case 0x2f:  // VOR 1 station identifier
        case 0x38:  // VOR 2 station identifier
            return TokenKind::Text;
        case 0x2a:  // VOR 1 flag word
        case 0x2b:  // VOR 1 usable
            return TokenKind::Integer;
        default:
            return TokenKind::Number;
    }
}

const char* token_kind_name(TokenKind kind) {
    switch (kind) {
        case TokenKind::Integer: return "a 32-bit integer: use seti";
        case TokenKind::Text: return "a text: use sets";
        case TokenKind::Number: break;
    }
    return "a 64-bit float: use set";
}

void TokenStore::set_number(uint32_t token, double value) {
    Value v;
    std::memcpy(v.data(), &value, 8);
    values_[token] = v;
}

void TokenStore::set_integer(uint32_t token, uint32_t value) {
    Value v{};
    for (int i = 0; i < 4; ++i) v[size_t(i)] = uint8_t(value >> (8 * i));
    values_[token] = v;
}

bool TokenStore::set_text(uint32_t token, std::string_view text, std::string* error) {
    if (text.size() >= kTextSlotSize) {
        *error = "text of " + std::to_string(text.size()) + " bytes is longer than " +
                 std::to_string(kTextSlotSize - 1);
        return false;
    }
    if (text.find('\0') != std::string_view::npos) {
        *error = "text holds a NUL byte";
        return false;
    }
    char* arena = text_arena(error);
    if (arena == nullptr) return false;
    auto slot = text_slots_.find(token);
    if (slot == text_slots_.end()) {
        if (text_slots_.size() >= kTextSlotCount) {
            *error = "more than " + std::to_string(kTextSlotCount) + " text tokens";
            return false;
        }
        slot = text_slots_.emplace(token, text_slots_.size()).first;
    }
    char* at = arena + slot->second * kTextSlotSize;
    std::memset(at, 0, kTextSlotSize);
    std::memcpy(at, text.data(), text.size());
    set_integer(token, uint32_t(reinterpret_cast<uintptr_t>(at)));
    return true;
}

TokenStore::Value TokenStore::read(uint32_t token) const {
    auto it = values_.find(token);
    return it == values_.end() ? Value{} : it->second;
}
