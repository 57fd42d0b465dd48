#pragma once
#include <cstdint>
#include <string>

#include "field_rule.h"

namespace vantrel {

// How a line keeps its value in the console's store.
enum class StoreKind {
    Tenths,          // a real: the word divided by 10 (temperatures in kelvin)
    Word,            // the 16-bit word, zero-extended in 32 bits
    Signed16,        // the word as a signed 16-bit value
    Identification,  // the 16-byte block of command 0x3F; kept by the link, not the store
};

// How a line's field shows the stored value.
enum class FieldFormat {
    Real,     // a real number, as many digits as it needs (298.1)
    Decimal,  // an integer
    Hex,      // "0x%04X"
    HexAlt,   // "%#06X": 0X00A5
    None,     // the console never writes the field
};

// Where a line's command byte comes from: an entry of the board command table,
// or a byte of the console's own.
struct LineCommand {
    int tableEntry = 0;  // 1-based entry, 0 when the console names the byte itself
    uint8_t fixed = 0;

    static LineCommand Entry(int entry) { return {entry, 0}; }
    static LineCommand Fixed(uint8_t command) { return {0, command}; }
};

// One line of a console: an enable check box, a value field, a range/units
// label and a description.
struct ConsoleLine {
    std::string label;  // the description
    std::string units;  // the range/units label
    LineCommand command;
    bool readable = true;
    bool writable = false;  // also: the field is editable
    bool digitsOnly = false;  // the field takes digits only
    StoreKind store = StoreKind::Word;
    FieldFormat format = FieldFormat::Decimal;
    FieldRule rule;
    std::string initialText = "0";
    // The name scripts use for the value, and the poll log's column (empty: not logged).
    std::string name;
    std::string logColumn;
};

}  // namespace vantrel
