#pragma once
#include <optional>
#include <string>

#include "row_table.h"

namespace vantrel {

// An edit's text read as its row reads it.
struct RowEntry {
    std::optional<double> value;  // set when the text passed every check
    std::string message;          // otherwise the message to show

    bool Ok() const { return value.has_value(); }
};

// Parses text by the row's kind and checks it against the row's bounds and
// length. Blanks around the text are allowed; an empty text is not a number.
RowEntry ReadRowEntry(const RowSpec& row, const std::string& text);

// The standard texts.
std::string NotANumberText(ValueKind kind);  // "Please enter a number." / "Please enter an integer."
std::string RangeText(RangeWording wording, double minimum, double maximum);
std::string TooLongText(int maxLength);      // "Please enter no more than %1 characters."

// A bound or value as the messages and edits show it: 65535, 6553.5, 25.3.
std::string FormatNumber(double value);

}  // namespace vantrel
