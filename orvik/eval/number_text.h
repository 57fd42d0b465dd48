#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

// A decimal number read from the start of a text: leading white space skipped,
// optional sign, digits with an optional full stop, optional exponent.
// Independent of the C locale, and without hexadecimal, "inf" or "nan" forms.
struct LeadingNumber {
    bool found = false;  // false: the text starts with no number (value 0)
    double value = 0.0;  // out-of-range texts give an infinite value or 0
};

LeadingNumber ReadLeadingNumber(std::string_view text);

// Whether ReadLeadingNumber finds a number, looking no further than its first digit.
bool StartsWithNumber(std::string_view text);

// The number at the start of text, or 0 when there is none.
inline double NumberOrZero(std::string_view text) { return ReadLeadingNumber(text).value; }

// General notation, at most 10 significant digits (as printf "%.10g").
std::string FormatNumber(double value);

// Truncates toward zero and wraps modulo 2^32, so texts of unsigned 32-bit
// values keep their bit pattern; infinite and NaN values give 0.
int32_t TruncateToInt32(double value);

}  // namespace orvik
