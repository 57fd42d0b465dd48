#pragma once
#include <optional>
#include <string>

#include "workbook.h"

namespace vantrel::workbook {

// A worksheet's grid as comma-separated text: every row from 1 to the last one
// holding a cell, every column from A to the rightmost one in use, the values
// the grid shows, fields quoted where they need it, CR LF line ends.
std::string SheetCsv(const Worksheet& sheet);

// Saves SheetCsv to path; the message for the user when it fails, and an
// earlier file left as it was.
std::optional<std::string> SaveSheetCsv(const Worksheet& sheet, const std::string& path);

}  // namespace vantrel::workbook
