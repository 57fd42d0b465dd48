#include "xlsx_export.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "replace_file_content.h"

namespace vantrel::workbook {
namespace {

// Charts are placed in pixels of 3/4 point; a new chart is 480 x 288 pixels.
constexpr double kPixelsPerPoint = 4.0 / 3.0;
constexpr double kDefaultChartWidth = 480;
constexpr double kDefaultChartHeight = 288;

// The new file is first built aside, in the temporary folder, and removed with this.
class ScratchFile {
public:
    ScratchFile() {
        std::error_code ignored;
        path_ = (std::filesystem::temp_directory_path(ignored) / "vantrel-workbook-XXXXXX.xlsx").string();
        const int fd = mkstemps(path_.data(), static_cast<int>(std::strlen(".xlsx")));
        error_ = fd < 0 ? errno : 0;
        if (fd >= 0) close(fd);
    }
    ~ScratchFile() {
        if (error_ == 0) unlink(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    int Error() const { return error_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int error_ = 0;
};

bool ReadWhole(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(bytes.data(), size));
}

// 'Sheet 1' for a name a formula cannot take bare.
std::string QuotedSheetName(const std::string& name) {
    for (const char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!plain) {
            std::string quoted = "'";
            for (const char q : name) {
                if (q == '\'') quoted += '\'';
                quoted += q;
            }
            return quoted + "'";
        }
    }
    return name;
}

// "=Sheet1!$B$2:$B$10"
std::string ColumnRange(const std::string& sheetName, int column, int firstRow, int lastRow) {
    const std::string letters = "$" + ColumnName(column) + "$";
    return "=" + QuotedSheetName(sheetName) + "!" + letters + std::to_string(firstRow) + ":" + letters +
           std::to_string(lastRow);
}

// The source's last row that holds a value in one of the chart's columns; a
// chart keeps at least its first row of values.
int LastFilledRow(const Worksheet& sheet, const SeriesLayout& layout, int left, int right) {
    int last = layout.firstRow;
    const auto& rows = sheet.Rows();
    for (auto row = rows.lower_bound(layout.firstRow); row != rows.end() && row->first <= layout.lastRow; ++row) {
        const auto cell = row->second.lower_bound(left);
        if (cell != row->second.end() && cell->first <= right) last = row->first;
    }
    return last;
}

lxw_error WriteCell(lxw_worksheet* target, CellAddress address, const Cell& cell) {
    const auto row = static_cast<lxw_row_t>(address.row - 1);
    const auto column = static_cast<lxw_col_t>(address.column - 1);
    if (cell.IsFormula()) {
        if (cell.value.IsNumber()) {
            return worksheet_write_formula_num(target, row, column, cell.text.c_str(), nullptr, cell.value.number);
        }
        // A formula that evaluated to an error is kept for the reader to
        // compute; one that could not be read is kept as its text, since a
        // malformed formula makes spreadsheet programs reject the file.
        if (cell.value.text != kValueError) {
            return worksheet_write_formula_str(target, row, column, cell.text.c_str(), nullptr, "");
        }
        return worksheet_write_string(target, row, column, cell.text.c_str(), nullptr);
    }
    if (cell.value.IsNumber()) return worksheet_write_number(target, row, column, cell.value.number, nullptr);
    return worksheet_write_string(target, row, column, cell.text.c_str(), nullptr);
}

lxw_error WriteCells(lxw_worksheet* target, const Worksheet& sheet) {
    for (const auto& [rowNumber, row] : sheet.Rows()) {
        for (const auto& [columnNumber, cell] : row) {
            const lxw_error error = WriteCell(target, {rowNumber, columnNumber}, cell);
            if (error != LXW_NO_ERROR) return error;
        }
    }
    return LXW_NO_ERROR;
}

lxw_error WriteChart(lxw_workbook* book, lxw_worksheet* target, const Workbook& workbook, const Chart& chart) {
    const auto layout = LayoutOf(chart);
    // A chart without a series cannot be written; there is nothing to show in it yet.
    if (!layout || layout->valueColumns.empty() || layout->firstRow > layout->lastRow) return LXW_NO_ERROR;
    const Worksheet& source = workbook.Sheet(layout->sheet);
    const int lastRow = LastFilledRow(source, *layout, chart.source->left, chart.source->right);

    lxw_chart* line = workbook_add_chart(book, LXW_CHART_LINE);
    if (line == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (const int column : layout->valueColumns) {
        const std::string values = ColumnRange(source.Name(), column, layout->firstRow, lastRow);
        const std::string categories =
            layout->categoryColumn > 0 ? ColumnRange(source.Name(), layout->categoryColumn, layout->firstRow, lastRow) : "";
        lxw_chart_series* series =
            chart_add_series(line, categories.empty() ? nullptr : categories.c_str(), values.c_str());
        if (series == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
        if (layout->nameRow > 0) {
            const std::string name = ColumnRange(source.Name(), column, layout->nameRow, layout->nameRow);
            chart_series_set_name(series, name.substr(0, name.find(':')).c_str());
        }
    }
    if (!chart.title.empty()) chart_title_set_name(line, chart.title.c_str());
    if (!chart.categoryTitle.empty()) chart_axis_set_name(line->x_axis, chart.categoryTitle.c_str());
    if (!chart.valueTitle.empty()) chart_axis_set_name(line->y_axis, chart.valueTitle.c_str());
    chart_legend_set_position(line, chart.hasLegend ? LXW_CHART_LEGEND_RIGHT : LXW_CHART_LEGEND_NONE);

    lxw_chart_options options{};
    options.x_offset = static_cast<int32_t>(std::lround(chart.placement.left * kPixelsPerPoint));
    options.y_offset = static_cast<int32_t>(std::lround(chart.placement.top * kPixelsPerPoint));
    options.x_scale = chart.placement.width * kPixelsPerPoint / kDefaultChartWidth;
    options.y_scale = chart.placement.height * kPixelsPerPoint / kDefaultChartHeight;
    return worksheet_insert_chart_opt(target, 0, 0, line, &options);
}

// Writes the workbook to path; the library's reason when it fails.
std::optional<std::string> WriteXlsx(const Workbook& workbook, const std::string& path) {
    lxw_workbook* book = workbook_new(path.c_str());
    if (book == nullptr) return std::string("cannot create the workbook file (") + std::strerror(errno) + ")";
    lxw_error error = LXW_NO_ERROR;
    std::vector<lxw_worksheet*> sheets;
    for (int n = 1; n <= workbook.SheetCount(); ++n) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, workbook.Sheet(n).Name().c_str());
        if (sheet == nullptr) error = LXW_ERROR_MEMORY_MALLOC_FAILED;
        sheets.push_back(sheet);
    }
    for (int n = 1; n <= workbook.SheetCount() && error == LXW_NO_ERROR; ++n) {
        const Worksheet& sheet = workbook.Sheet(n);
        lxw_worksheet* target = sheets[static_cast<std::size_t>(n - 1)];
        error = WriteCells(target, sheet);
        for (const ChartId id : sheet.Charts()) {
            if (error == LXW_NO_ERROR) error = WriteChart(book, target, workbook, *workbook.FindChart(id));
        }
    }
    // The workbook is closed (and freed) whatever happened before.
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR) error = closed;
    if (error != LXW_NO_ERROR) return std::string(lxw_strerror(error));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> SaveWorkbookXlsx(const Workbook& workbook, const std::string& path) {
    const ScratchFile scratch;
    if (scratch.Error() != 0) return SaveErrorText(path, std::string("no temporary file: ") + std::strerror(scratch.Error()));
    if (auto failure = WriteXlsx(workbook, scratch.Path())) return SaveErrorText(path, *failure);
    std::string bytes;
    if (!ReadWhole(scratch.Path(), bytes)) {
        return SaveErrorText(path, "cannot read back " + scratch.Path() + " (" + std::strerror(errno) + ")");
    }
    return ReplaceFileContent(path, bytes);
}

}  // namespace vantrel::workbook
