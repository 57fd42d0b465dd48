#include "csv_export.h"

#include "replace_file_content.h"

namespace vantrel::workbook {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string CsvField(const std::string& text) {
    const bool needsQuotes = text.find_first_of(",\"\r\n") != std::string::npos ||
                             (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!needsQuotes) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string SheetCsv(const Worksheet& sheet) {
    const int lastColumn = sheet.LastColumn();
    std::string text;
    int nextRow = 1;
    for (const auto& [rowNumber, row] : sheet.Rows()) {
        for (; nextRow < rowNumber; ++nextRow) text += std::string(static_cast<std::size_t>(lastColumn - 1), ',') + kLineEnd;
        int started = 0;  // the fields of this line begun so far
        const auto startFieldsUpTo = [&](int column) {
            for (; started < column; ++started) {
                if (started > 0) text += ',';
            }
        };
        for (const auto& [columnNumber, cell] : row) {
            startFieldsUpTo(columnNumber);
            text += CsvField(DisplayText(cell.value));
        }
        startFieldsUpTo(lastColumn);
        text += kLineEnd;
        nextRow = rowNumber + 1;
    }
    return text;
}

std::optional<std::string> SaveSheetCsv(const Worksheet& sheet, const std::string& path) {
    return ReplaceFileContent(path, SheetCsv(sheet));
}

}  // namespace vantrel::workbook
