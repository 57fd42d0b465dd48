#pragma once
#include <memory>
#include <string>

#include "vantrel/monitor/spreadsheet.h"
#include "workbook.h"

namespace vantrel::workbook {

// The spreadsheet application polling fills, over one workbook of three
// worksheets. It holds one workbook: a second AddWorkbook is refused rather
// than starting over on the cells and charts the user watches.
class WorkbookApplication final : public ISpreadsheetApplication {
public:
    static constexpr const char* kVersion = "9.0";
    // Range(...).Value fills every cell of the range; larger ranges are refused.
    static constexpr long long kMaxRangeCells = 65536;

    explicit WorkbookApplication(std::shared_ptr<Workbook> workbook);

    std::string Version() override;
    void AddWorkbook() override;
    SheetId SheetItem(int index) override;
    ChartId AddChartObject(SheetId sheet, const ChartPlacement& placement) override;
    void PutValue(const SheetRange& range, const std::string& value) override;
    void ChartWizard(ChartId chart, const ChartWizardArguments& arguments) override;
    void SetSourceData(ChartId chart, const SheetRange& source, int16_t plotBy) override;
    void SetVisible(bool visible) override;
    void SetSheetVisible(SheetId sheet, bool visible) override;
    void ActivateSheet(SheetId sheet) override;

    const Workbook& Model() const { return *workbook_; }

private:
    void RequireWorkbook() const;
    void RequireSheet(SheetId sheet) const;
    void RequireChart(ChartId chart) const;
    CellRect RangeRect(const SheetRange& range) const;

    std::shared_ptr<Workbook> workbook_;
    bool workbookAdded_ = false;
};

}  // namespace vantrel::workbook
