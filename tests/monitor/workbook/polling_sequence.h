#pragma once
#include <string>

#include "vantrel/monitor/spreadsheet.h"

// Drives a spreadsheet application the way polling does: a start prepares a
// sheet's header and chart, and each record fills the next row and moves the
// chart's source down to the row after it.
namespace workbook_testing {

inline constexpr vantrel::ChartPlacement kChartPlacement{100, 10, 400, 296};

struct GraphStart {
    vantrel::SheetId sheet = 0;
    vantrel::ChartId chart = 0;
    int nextRow = 2;
};

inline vantrel::ChartWizardArguments WizardArguments(vantrel::SheetId sheet) {
    vantrel::ChartWizardArguments arguments;
    arguments.source = {sheet, "A1", "D2"};
    arguments.gallery = 7;
    arguments.format = 2;
    arguments.plotBy = 2;
    arguments.categoryLabels = 1;
    arguments.seriesLabels = 1;
    arguments.hasLegend = 1;
    arguments.title = "Charging Profile";
    arguments.categoryTitle = "Time (s)";
    return arguments;
}

// startCount: the starts with graphing before this one.
inline GraphStart StartGraphing(vantrel::ISpreadsheetApplication& app, int startCount) {
    GraphStart start;
    start.sheet = app.SheetItem(startCount < 3 ? startCount + 1 : 3);
    const char* headers[] = {"Time", "BattTemp (C)", "Batt_V (V)", "Batt_I (A)"};
    const char* cells[] = {"A1", "B1", "C1", "D1"};
    for (int i = 0; i < 4; ++i) app.PutValue({start.sheet, cells[i], cells[i]}, headers[i]);
    start.chart = app.AddChartObject(start.sheet, kChartPlacement);
    app.ChartWizard(start.chart, WizardArguments(start.sheet));
    app.SetVisible(true);
    app.SetSheetVisible(start.sheet, true);
    app.ActivateSheet(start.sheet);
    return start;
}

// One record: "seconds, kelvin, millivolts, milliamps, " and, when given, the
// one-minute average current for column E.
inline void WriteRow(vantrel::ISpreadsheetApplication& app, GraphStart& start, const std::string& seconds,
                     const std::string& kelvin, const std::string& millivolts, const std::string& milliamps,
                     const std::string& averageCurrent = "") {
    const std::string n = std::to_string(start.nextRow);
    const auto put = [&](const char* column, const std::string& text) {
        app.PutValue({start.sheet, column + n, column + n}, text);
    };
    put("A", seconds);
    put("B", "=" + kelvin + "-273.2");
    put("C", "=" + millivolts + "/1000");
    put("D", "=" + milliamps + "/1000");
    if (!averageCurrent.empty()) put("E", averageCurrent);
    ++start.nextRow;
    app.SetSourceData(start.chart, {start.sheet, "A1", "D" + std::to_string(start.nextRow)}, 2);
}

}  // namespace workbook_testing
