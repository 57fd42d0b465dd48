#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik {

inline constexpr uint32_t kLargestLocationAddress = 0x1FF;
inline constexpr int32_t kLongestLocation = 4;

// A location's "address": hexadecimal with an optional "0x", 0x00 to 0x1FF.
// Digits of either case are accepted; the written form is upper case.
std::optional<uint32_t> ParseLocationAddress(std::string_view text);

// "0x" and upper-case digits, at least two: 0x05, 0x1F, 0x1F0.
std::string FormatLocationAddress(uint32_t offset);

// A location's "length": decimal, 1 to 4.
std::optional<int32_t> ParseLocationLength(std::string_view text);

}  // namespace orvik
