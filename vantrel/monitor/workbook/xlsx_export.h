#pragma once
#include <optional>
#include <string>

#include "workbook.h"

namespace vantrel::workbook {

// Saves the workbook as .xlsx: every cell of the three worksheets (formulas
// with their computed values cached, numbers, texts) and every chart with a
// source as a native line chart at its place. The message for the user when
// it fails, and an earlier file at path left as it was.
std::optional<std::string> SaveWorkbookXlsx(const Workbook& workbook, const std::string& path);

}  // namespace vantrel::workbook
