#include "orvik/definition/location_address.h"

#include <cstdio>

namespace orvik {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<uint32_t> ParseLocationAddress(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
    if (text.empty()) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
        if (value > kLargestLocationAddress) return std::nullopt;
    }
    return value;
}

std::string FormatLocationAddress(uint32_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(offset));
    return text;
}

std::optional<int32_t> ParseLocationLength(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLongestLocation) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return value;
}

}  // namespace orvik
