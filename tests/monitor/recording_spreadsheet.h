#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vantrel/monitor/spreadsheet.h"

namespace vantrel::testing_support {

// Writes down every operation as a line of text, and refuses the operations
// the test names.
class RecordingSpreadsheet : public ISpreadsheetApplication {
public:
    std::vector<std::string> calls;
    std::string version = "9.0";
    std::function<bool(const std::string& call)> refuse;

    std::string Version() override {
        Record("Version");
        return version;
    }
    void AddWorkbook() override { Record("AddWorkbook"); }
    SheetId SheetItem(int index) override {
        Record("SheetItem " + std::to_string(index));
        return index * 10;  // ids unlike the index, so that a mix-up shows
    }
    ChartId AddChartObject(SheetId sheet, const ChartPlacement& p) override {
        Record("AddChartObject " + std::to_string(sheet) + " " + Number(p.left) + "," + Number(p.top) + "," +
               Number(p.width) + "," + Number(p.height));
        return ++charts;
    }
    void PutValue(const SheetRange& range, const std::string& value) override {
        Record("PutValue " + Range(range) + " " + value);
    }
    void ChartWizard(ChartId chart, const ChartWizardArguments& a) override {
        Record("ChartWizard " + std::to_string(chart) + " " + Range(a.source) + " gallery " + Option(a.gallery) +
               " format " + Option(a.format) + " plotBy " + Option(a.plotBy) + " categoryLabels " +
               Option(a.categoryLabels) + " seriesLabels " + Option(a.seriesLabels) + " hasLegend " +
               Option(a.hasLegend) + " title " + a.title.value_or("(omitted)") + " categoryTitle " +
               a.categoryTitle.value_or("(omitted)") + " valueTitle " + a.valueTitle.value_or("(omitted)") +
               " extraTitle " + a.extraTitle.value_or("(omitted)"));
    }
    void SetSourceData(ChartId chart, const SheetRange& source, int16_t plotBy) override {
        Record("SetSourceData " + std::to_string(chart) + " " + Range(source) + " " + std::to_string(plotBy));
    }
    void SetVisible(bool visible) override { Record(std::string("SetVisible ") + (visible ? "true" : "false")); }
    void SetSheetVisible(SheetId sheet, bool visible) override {
        Record("SetSheetVisible " + std::to_string(sheet) + (visible ? " true" : " false"));
    }
    void ActivateSheet(SheetId sheet) override { Record("ActivateSheet " + std::to_string(sheet)); }

    // The calls that begin with prefix.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& call : calls)
            if (call.rfind(prefix, 0) == 0) found.push_back(call);
        return found;
    }

private:
    void Record(std::string call) {
        const bool refused = refuse && refuse(call);
        calls.push_back(std::move(call));
        if (refused) throw SpreadsheetError("refused: " + calls.back());
    }
    static std::string Number(double value) { return std::to_string(static_cast<int>(value)); }
    static std::string Range(const SheetRange& r) { return std::to_string(r.sheet) + " " + r.cell1 + ":" + r.cell2; }
    static std::string Option(const std::optional<int16_t>& value) {
        return value ? std::to_string(*value) : "(omitted)";
    }
    int charts = 0;
};

}  // namespace vantrel::testing_support
