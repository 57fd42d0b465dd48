#include "workbook_application.h"

namespace vantrel::workbook {
namespace {

// The chart wizard's label counts the chart can draw: none, or one row or column.
int LabelCount(const std::optional<int16_t>& count, int defaultCount, const char* what) {
    const int value = count.value_or(static_cast<int16_t>(defaultCount));
    if (value != 0 && value != 1) {
        throw SpreadsheetError(std::string("Chart wizard: ") + what + " must be 0 or 1, not " + std::to_string(value));
    }
    return value;
}

void RequirePlotByColumns(int16_t plotBy) {
    if (plotBy != kPlotByColumns) {
        throw SpreadsheetError("Only series in columns (plot by " + std::to_string(kPlotByColumns) +
                               ") are supported, not plot by " + std::to_string(plotBy));
    }
}

}  // namespace

WorkbookApplication::WorkbookApplication(std::shared_ptr<Workbook> workbook) : workbook_(std::move(workbook)) {}

std::string WorkbookApplication::Version() { return kVersion; }

void WorkbookApplication::AddWorkbook() {
    if (workbookAdded_) throw SpreadsheetError("The workbook window holds one workbook, and it has been added already");
    workbookAdded_ = true;
}

SheetId WorkbookApplication::SheetItem(int index) {
    RequireWorkbook();
    if (!workbook_->HasSheet(index)) {
        throw SpreadsheetError("No worksheet " + std::to_string(index) + ": the workbook has sheets 1 to " +
                               std::to_string(workbook_->SheetCount()));
    }
    return index;
}

ChartId WorkbookApplication::AddChartObject(SheetId sheet, const ChartPlacement& placement) {
    RequireSheet(sheet);
    if (!(placement.width > 0 && placement.height > 0 && placement.left >= 0 && placement.top >= 0)) {
        throw SpreadsheetError("A chart needs a positive width and height and a place inside the worksheet");
    }
    return workbook_->AddChart(sheet, placement);
}

void WorkbookApplication::PutValue(const SheetRange& range, const std::string& value) {
    const CellRect rect = RangeRect(range);
    if (rect.CellCount() > kMaxRangeCells) {
        throw SpreadsheetError("Range " + range.cell1 + ":" + range.cell2 + " is too large to fill");
    }
    for (int row = rect.top; row <= rect.bottom; ++row) {
        for (int column = rect.left; column <= rect.right; ++column) workbook_->SetCell(range.sheet, {row, column}, value);
    }
}

void WorkbookApplication::ChartWizard(ChartId chart, const ChartWizardArguments& arguments) {
    RequireChart(chart);
    if (arguments.plotBy) RequirePlotByColumns(*arguments.plotBy);
    const int categoryColumns = LabelCount(arguments.categoryLabels, 1, "category labels");
    const int seriesNameRows = LabelCount(arguments.seriesLabels, 1, "series labels");
    const CellRect source = RangeRect(arguments.source);
    workbook_->ChangeChart(chart, [&](Chart& target) {
        target.sourceSheet = arguments.source.sheet;
        target.source = source;
        target.gallery = arguments.gallery;
        target.format = arguments.format;
        target.categoryColumns = categoryColumns;
        target.seriesNameRows = seriesNameRows;
        if (arguments.hasLegend) target.hasLegend = *arguments.hasLegend != 0;
        if (arguments.title) target.title = *arguments.title;
        if (arguments.categoryTitle) target.categoryTitle = *arguments.categoryTitle;
        if (arguments.valueTitle) target.valueTitle = *arguments.valueTitle;
    });
}

void WorkbookApplication::SetSourceData(ChartId chart, const SheetRange& source, int16_t plotBy) {
    RequireChart(chart);
    RequirePlotByColumns(plotBy);
    const CellRect rect = RangeRect(source);
    workbook_->ChangeChart(chart, [&](Chart& target) {
        target.sourceSheet = source.sheet;
        target.source = rect;
    });
}

void WorkbookApplication::SetVisible(bool visible) { workbook_->SetVisible(visible); }

void WorkbookApplication::SetSheetVisible(SheetId sheet, bool visible) {
    RequireSheet(sheet);
    if (!visible) {
        int othersVisible = 0;
        for (int other = 1; other <= workbook_->SheetCount(); ++other) {
            if (other != sheet && workbook_->Sheet(other).Visible()) ++othersVisible;
        }
        if (othersVisible == 0) throw SpreadsheetError("A workbook must keep at least one visible worksheet");
    }
    workbook_->SetSheetVisible(sheet, visible);
    if (!visible && workbook_->ActiveSheet() == sheet) {
        for (int other = 1; other <= workbook_->SheetCount(); ++other) {
            if (workbook_->Sheet(other).Visible()) {
                workbook_->SetActiveSheet(other);
                break;
            }
        }
    }
}

void WorkbookApplication::ActivateSheet(SheetId sheet) {
    RequireSheet(sheet);
    if (!workbook_->Sheet(sheet).Visible()) throw SpreadsheetError("A hidden worksheet cannot be activated");
    workbook_->SetActiveSheet(sheet);
}

void WorkbookApplication::RequireWorkbook() const {
    if (!workbookAdded_) throw SpreadsheetError("No workbook: add one first");
}

void WorkbookApplication::RequireSheet(SheetId sheet) const {
    RequireWorkbook();
    if (!workbook_->HasSheet(sheet)) throw SpreadsheetError("Unknown worksheet " + std::to_string(sheet));
}

void WorkbookApplication::RequireChart(ChartId chart) const {
    RequireWorkbook();
    if (workbook_->FindChart(chart) == nullptr) throw SpreadsheetError("Unknown chart " + std::to_string(chart));
}

CellRect WorkbookApplication::RangeRect(const SheetRange& range) const {
    RequireSheet(range.sheet);
    const auto first = ParseCellName(range.cell1);
    if (!first) throw SpreadsheetError("Bad cell name \"" + range.cell1 + "\"");
    // Range("A1") alone names one cell.
    if (range.cell2.empty()) return RectBetween(*first, *first);
    const auto second = ParseCellName(range.cell2);
    if (!second) throw SpreadsheetError("Bad cell name \"" + range.cell2 + "\"");
    return RectBetween(*first, *second);
}

}  // namespace vantrel::workbook
