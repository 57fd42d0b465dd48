#include "orvik/eval/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace orvik {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Decimal order of magnitude of a mantissa and exponent that from_chars found out of
// range: positive means the value overflowed, otherwise it underflowed.
long MagnitudeOrder(std::string_view integerDigits, std::string_view fractionDigits, long exponent) {
    for (std::size_t k = 0; k < integerDigits.size(); ++k) {
        if (integerDigits[k] != '0') return static_cast<long>(integerDigits.size() - k - 1) + exponent;
    }
    for (std::size_t k = 0; k < fractionDigits.size(); ++k) {
        if (fractionDigits[k] != '0') return exponent - static_cast<long>(k + 1);
    }
    return 0;
}

}  // namespace

bool StartsWithNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && IsDigit(text[i])) return true;
    return i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1]);
}

LeadingNumber ReadLeadingNumber(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    const std::string_view integerDigits = text.substr(mantissaStart, i - mantissaStart);
    std::string_view fractionDigits;
    if (i < n && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (integerDigits.empty() && fractionDigits.empty()) return {};

    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) {
                if (exponent < 1000000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (exponentNegative) exponent = -exponent;
            i = j;
        }
    }

    double value = 0.0;
    const std::errc error =
        std::from_chars(text.data() + mantissaStart, text.data() + i, value, std::chars_format::general).ec;
    if (error == std::errc::result_out_of_range) {
        value =
            MagnitudeOrder(integerDigits, fractionDigits, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc{}) {
        return {};
    }
    return {true, negative ? -value : value};
}

std::string FormatNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

int32_t TruncateToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double kModulus = 4294967296.0;
    double wrapped = std::fmod(std::trunc(value), kModulus);
    if (wrapped < 0) wrapped += kModulus;
    return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

}  // namespace orvik
