#pragma once
#include <cstdint>
#include <string>

#include "console_line.h"

namespace vantrel {

// A word from the board as the store keeps it: tenths as a real, a signed
// 16-bit value, or the word itself.
double ValueOfWord(StoreKind store, int32_t word);
// A committed field value as the store keeps it (a signed line wraps to 16 bits).
double StoredValueOf(StoreKind store, double value);
// The 16-bit word a stored value is written as.
int32_t WordOfValue(StoreKind store, double value);

// The field text of a stored value: "298.1", "65535", "-1", "0x0012", "0X00A5".
std::string FormatFieldValue(const ConsoleLine& line, double value);
// The poll log's text: "%.1lf" for reals, a hex word as 0x and four upper-case
// digits, "%d" for the rest.
std::string FormatLogValue(const ConsoleLine& line, double value);
// A hex word as the poll log writes it: 0x00A5.
std::string LogHexWord(int32_t word);

}  // namespace vantrel
