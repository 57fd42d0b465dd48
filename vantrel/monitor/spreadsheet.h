#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vantrel {

// What the spreadsheet application refused; polling turns it into the message
// the user sees.
class SpreadsheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using SheetId = int;
using ChartId = int;

// A rectangle of a worksheet's cells, named by its corner cells ("A1", "D2").
struct SheetRange {
    SheetId sheet = 0;
    std::string cell1;
    std::string cell2;

    bool operator==(const SheetRange&) const = default;
};

// Where a chart object sits on its worksheet, in points.
struct ChartPlacement {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const ChartPlacement&) const = default;
};

// The chart wizard's options; an omitted option is nullopt.
struct ChartWizardArguments {
    SheetRange source;
    std::optional<int16_t> gallery;
    std::optional<int16_t> format;
    std::optional<int16_t> plotBy;
    std::optional<int16_t> categoryLabels;  // columns of category labels (the first: time)
    std::optional<int16_t> seriesLabels;    // rows of series names (the first: the header)
    std::optional<int16_t> hasLegend;
    std::optional<std::string> title;
    std::optional<std::string> categoryTitle;
    std::optional<std::string> valueTitle;
    std::optional<std::string> extraTitle;

    bool operator==(const ChartWizardArguments&) const = default;
};

// Series are the range's columns.
inline constexpr int16_t kPlotByColumns = 2;

// The spreadsheet application polling fills: a workbook of worksheets, cells
// set from text (a text beginning with "=" is a formula), and charts over a
// range of a worksheet. Every operation throws SpreadsheetError when the
// application refuses it.
class ISpreadsheetApplication {
public:
    virtual ~ISpreadsheetApplication() = default;

    virtual std::string Version() = 0;
    // Workbooks.Add with the template omitted; the new workbook is the one the
    // other operations work on.
    virtual void AddWorkbook() = 0;
    // Sheets.Item(index), index from 1.
    virtual SheetId SheetItem(int index) = 0;
    // The worksheet's ChartObjects.Add, and the chart of the new object.
    virtual ChartId AddChartObject(SheetId sheet, const ChartPlacement& placement) = 0;
    // Range(cell1, cell2).Value = value.
    virtual void PutValue(const SheetRange& range, const std::string& value) = 0;
    virtual void ChartWizard(ChartId chart, const ChartWizardArguments& arguments) = 0;
    virtual void SetSourceData(ChartId chart, const SheetRange& source, int16_t plotBy) = 0;
    // Application.Visible, Worksheet.Visible and Worksheet.Activate.
    virtual void SetVisible(bool visible) = 0;
    virtual void SetSheetVisible(SheetId sheet, bool visible) = 0;
    virtual void ActivateSheet(SheetId sheet) = 0;
};

// Creates the spreadsheet application; nullptr when it cannot be created. The
// caller may keep its own reference: the application outlives polling's.
using SpreadsheetLauncher = std::function<std::shared_ptr<ISpreadsheetApplication>()>;

}  // namespace vantrel
