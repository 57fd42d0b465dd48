// The workbook window's cost per polling row as the live chart grows.
//
// Fills 10 000 rows through the spreadsheet application, as polling does (four
// cells and the chart's new source per row), with the window shown offscreen
// and the events processed after every row, so the grid and the chart keep up
// as they would on screen. Prints the mean cost per row over the first 1 000
// rows and over rows 9 001 to 10 000; the last line is their ratio against the
// target: a flat cost means no per-row work that grows with the rows drawn.
// With --every-row, the same fill with every row redrawn at once is printed
// first, to compare.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "vantrel/link/prompter.h"
#include "vantrel/monitor/workbook/qt/workbook_window.h"
#include "vantrel/monitor/workbook/qt/workbook_window_host.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 10000;
constexpr int kWindow = 1000;
constexpr double kTarget = 1.5;

void StartGraphing(vantrel::ISpreadsheetApplication& app, vantrel::SheetId sheet, vantrel::ChartId& chart) {
    const char* cells[] = {"A1", "B1", "C1", "D1"};
    const char* headers[] = {"Time", "BattTemp (C)", "Batt_V (V)", "Batt_I (A)"};
    for (int i = 0; i < 4; ++i) app.PutValue({sheet, cells[i], cells[i]}, headers[i]);
    chart = app.AddChartObject(sheet, {100, 10, 400, 296});
    vantrel::ChartWizardArguments wizard;
    wizard.source = {sheet, "A1", "D2"};
    wizard.gallery = 7;
    wizard.format = 2;
    wizard.plotBy = 2;
    wizard.categoryLabels = 1;
    wizard.seriesLabels = 1;
    wizard.hasLegend = 1;
    wizard.title = "Charging Profile";
    wizard.categoryTitle = "Time (s)";
    app.ChartWizard(chart, wizard);
    app.SetVisible(true);
    app.SetSheetVisible(sheet, true);
    app.ActivateSheet(sheet);
}

// Row n of a slow charge: seconds, kelvin, millivolts, milliamps as polling writes them.
void WriteRow(vantrel::ISpreadsheetApplication& app, vantrel::SheetId sheet, vantrel::ChartId chart, int n) {
    const std::string row = std::to_string(n);
    const int seconds = (n - 2) * 5;
    const auto put = [&](const char* column, const std::string& text) {
        app.PutValue({sheet, column + row, column + row}, text);
    };
    put("A", std::to_string(seconds));
    put("B", "=" + std::to_string(2981 + n % 37) + "/10-273.2");
    put("C", "=" + std::to_string(12000 + n % 211) + "/1000");
    put("D", "=" + std::to_string(-500 - n % 97) + "/1000");
    app.SetSourceData(chart, {sheet, "A1", "D" + std::to_string(n + 1)}, vantrel::kPlotByColumns);
}

struct PerRowCost {
    double earlyMicros = 0;
    double lateMicros = 0;
};

// Fills the rows into a fresh workbook window whose charts redraw at most
// every refreshMilliseconds.
PerRowCost FillRows(int refreshMilliseconds) {
    vantrel::SilentPrompter prompter;
    vantrel::workbook::WorkbookWindowHost host(prompter);
    const auto app = host.Launcher()();
    host.Window()->SetChartRefreshInterval(refreshMilliseconds);
    app->Version();
    app->AddWorkbook();
    const vantrel::SheetId sheet = app->SheetItem(1);
    vantrel::ChartId chart = 0;
    StartGraphing(*app, sheet, chart);
    QApplication::processEvents();

    Clock::duration early{};
    Clock::duration late{};
    for (int i = 1; i <= kRows; ++i) {
        const auto begin = Clock::now();
        WriteRow(*app, sheet, chart, i + 1);
        QApplication::processEvents();
        const auto spent = Clock::now() - begin;
        if (i <= kWindow) early += spent;
        if (i > kRows - kWindow) late += spent;
    }
    return {std::chrono::duration<double, std::micro>(early).count() / kWindow,
            std::chrono::duration<double, std::micro>(late).count() / kWindow};
}

void Print(const char* what, const PerRowCost& cost) {
    std::printf("%s:\n  rows 1-%d: %.1f us per row\n  rows %d-%d: %.1f us per row\n", what, kWindow,
                cost.earlyMicros, kRows - kWindow + 1, kRows, cost.lateMicros);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    // For comparison, with --every-row (it takes a minute or two): every row
    // redrawn at once, where the chart's own layout of all the points of a
    // line makes the cost grow with the rows.
    if (argc > 1 && std::string(argv[1]) == "--every-row") {
        const PerRowCost everyRow = FillRows(0);
        Print("every row redrawn", everyRow);
        std::printf("  late/early: %.2f (the chart's own layout, for comparison)\n",
                    everyRow.lateMicros / everyRow.earlyMicros);
    }
    const PerRowCost shipped = FillRows(vantrel::workbook::WorkbookWindow::kChartRefreshMilliseconds);
    Print("charts redrawn at most every 100 ms, as the window does", shipped);
    std::printf("late/early per-row cost: %.2f (target %.2f)\n", shipped.lateMicros / shipped.earlyMicros, kTarget);
    return 0;
}
