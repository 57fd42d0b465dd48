#include "field_rule.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vantrel/config/hex_digits.h"

namespace vantrel {
namespace {

constexpr std::size_t kHexDigitCount = 4;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Substitute(std::string pattern, double low, double high) {
    pattern.replace(pattern.find("%1"), 2, FormatPlainNumber(low));
    pattern.replace(pattern.find("%2"), 2, FormatPlainNumber(high));
    return pattern;
}

// A decimal real: digits, one point, an exponent; no hex floats, no inf or nan.
std::optional<double> ParseReal(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string_view::npos) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A decimal integer with an optional sign. Values beyond 64 bits count as out of range.
enum class IntegerParse { Ok, NotInteger, TooLarge };
IntegerParse ParseInteger(std::string_view text, long long& value) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return IntegerParse::NotInteger;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return IntegerParse::NotInteger;
    if (error == std::errc::result_out_of_range) return IntegerParse::TooLarge;
    if (error != std::errc{}) return IntegerParse::NotInteger;
    return IntegerParse::Ok;
}

std::optional<unsigned> ParseLooseHex(std::string_view text) {
    text = Trimmed(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    constexpr std::size_t kMostDigits = 8;
    if (text.empty() || text.size() > kMostDigits) return std::nullopt;
    const auto value = ParseHex(text);
    if (!value || *value > 0xFFFF) return std::nullopt;
    return value;
}

}  // namespace

std::string FormatPlainNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::optional<unsigned> ParseHexEntry(std::string_view text) {
    if (text.size() == kHexDigitCount + 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else if (text.size() == kHexDigitCount + 1 && (text[0] == 'x' || text[0] == 'X')) {
        text.remove_prefix(1);
    }
    if (text.size() != kHexDigitCount) return std::nullopt;
    return ParseHex(text);
}

FieldCheck CheckField(const FieldRule& rule, std::string_view text) {
    if (rule.maxCharacters > 0 && text.size() > static_cast<std::size_t>(rule.maxCharacters)) {
        std::string message = "Please enter no more than %1 characters.";
        message.replace(message.find("%1"), 2, std::to_string(rule.maxCharacters));
        return {std::nullopt, message};
    }
    switch (rule.kind) {
        case FieldRule::Kind::Any:
            return {};
        case FieldRule::Kind::Number: {
            const auto value = ParseReal(text);
            if (!value) return {std::nullopt, "Please enter a number."};
            if (*value < rule.low || *value > rule.high) {
                return {std::nullopt, Substitute("Please enter a number between %1 and %2.", rule.low, rule.high)};
            }
            return {value, {}};
        }
        case FieldRule::Kind::Integer: {
            long long value = 0;
            const IntegerParse parsed = ParseInteger(text, value);
            if (parsed == IntegerParse::NotInteger) return {std::nullopt, "Please enter an integer."};
            const auto real = static_cast<double>(value);
            if (parsed == IntegerParse::TooLarge || real < rule.low || real > rule.high) {
                return {std::nullopt, Substitute("Please enter an integer between %1 and %2.", rule.low, rule.high)};
            }
            return {real, {}};
        }
        case FieldRule::Kind::Hex: {
            const auto word = ParseHexEntry(text);
            if (!word) return {std::nullopt, kHexEntryMessage};
            return {static_cast<double>(*word), {}};
        }
        case FieldRule::Kind::LooseHex: {
            const auto word = ParseLooseHex(text);
            if (!word) return {};
            return {static_cast<double>(*word), {}};
        }
    }
    return {};
}

}  // namespace vantrel
