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

#include "tests/monitor/workbook/polling_sequence.h"
#include "vantrel/link/prompter.h"
#include "vantrel/monitor/workbook/qt/workbook_window.h"
#include "vantrel/monitor/workbook/qt/workbook_window_host.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 10000;
constexpr int kWindow = 1000;
constexpr double kTarget = 1.5;

// Row n of a slow charge: seconds, kelvin, millivolts, milliamps as polling writes them.
void WriteRow(vantrel::ISpreadsheetApplication& app, workbook_testing::GraphStart& start, int n) {
    workbook_testing::WriteRow(app, start, std::to_string((n - 2) * 5), std::to_string(2981 + n % 37) + "/10",
                               std::to_string(12000 + n % 211), std::to_string(-500 - n % 97));
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
    workbook_testing::GraphStart start = workbook_testing::StartGraphing(*app, 0);
    QApplication::processEvents();

    Clock::duration early{};
    Clock::duration late{};
    for (int i = 1; i <= kRows; ++i) {
        const auto begin = Clock::now();
        WriteRow(*app, start, i + 1);
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
