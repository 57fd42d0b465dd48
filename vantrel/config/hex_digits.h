#pragma once
#include <optional>
#include <string_view>

namespace vantrel {

// The value of one hexadecimal digit (either case), or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The number written by exactly the given digits, or nothing when one is not a hex digit.
constexpr std::optional<unsigned> ParseHex(std::string_view digits) {
    unsigned value = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

}  // namespace vantrel
