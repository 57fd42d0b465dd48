#include "row_entry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantrel {
namespace {

std::string Trimmed(const std::string& text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool AllOf(const std::string& text, int (*accept)(int)) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [accept](char c) { return accept(static_cast<unsigned char>(c)) != 0; });
}

// Digits with an optional sign. Values too large for a long long are out of any range.
std::optional<double> ParseInteger(const std::string& text) {
    std::string digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (!AllOf(digits, isdigit)) return std::nullopt;
    double value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return negative ? -value : value;
}

// Plain decimal notation: sign, digits, one decimal point, optional exponent.
// No hexadecimal floats, infinities or NaN.
std::optional<double> ParseDecimal(const std::string& text) {
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        const bool allowed = std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '+' || c == '-' ||
                             c == 'e' || c == 'E';
        if (!allowed) return std::nullopt;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + (text[0] == '+' ? 1 : 0), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// "0xYYYY", "xYYYY" or "YYYY".
std::optional<double> ParseHex(const std::string& text) {
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
    } else if (digits.size() > 1 && (digits[0] == 'x' || digits[0] == 'X')) {
        digits.erase(0, 1);
    }
    if (!AllOf(digits, isxdigit)) return std::nullopt;
    double value = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) != 0
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

std::string FormatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string NotANumberText(ValueKind kind) {
    return kind == ValueKind::Integer ? "Please enter an integer." : "Please enter a number.";
}

std::string RangeText(RangeWording wording, double minimum, double maximum) {
    return std::string(wording == RangeWording::Integer ? "Please enter an integer between "
                                                        : "Please enter a number between ") +
           FormatNumber(minimum) + " and " + FormatNumber(maximum) + ".";
}

std::string TooLongText(int maxLength) {
    return "Please enter no more than " + std::to_string(maxLength) + " characters.";
}

RowEntry ReadRowEntry(const RowSpec& row, const std::string& text) {
    if (row.maxLength > 0 && text.size() > static_cast<std::size_t>(row.maxLength)) {
        return {std::nullopt, TooLongText(row.maxLength)};
    }
    if (row.kind == ValueKind::Text) return {0.0, {}};

    const std::string trimmed = Trimmed(text);
    std::optional<double> value;
    switch (row.kind) {
        case ValueKind::Integer: value = ParseInteger(trimmed); break;
        case ValueKind::Number: value = ParseDecimal(trimmed); break;
        case ValueKind::Hex: value = ParseHex(trimmed); break;
        case ValueKind::Text: break;
    }
    if (!value) return {std::nullopt, NotANumberText(row.kind)};
    if (*value < row.minimum || *value > row.maximum) {
        return {std::nullopt, RangeText(row.wording, row.minimum, row.maximum)};
    }
    return {value, {}};
}

}  // namespace vantrel
