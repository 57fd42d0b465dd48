// Polling's spreadsheet output into the real workbook: the rows polling writes
// show their values and the chart follows them, across four starts.
#include <gtest/gtest.h>

#include "tests/commands/scripted_board.h"
#include "tests/support/temp_folder.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/monitor/polling.h"
#include "vantrel/monitor/workbook/workbook_application.h"

namespace {

using namespace vantrel;
using vantrel::workbook::CellRect;
using vantrel::workbook::DisplayText;
using vantrel::workbook::Workbook;
using vantrel::workbook::WorkbookApplication;

class PollingIntoWorkbook : public ::testing::Test {
protected:
    PollingIntoWorkbook() {
        polling.nameField = folder.File("data.txt");
        polling.graphBox = true;
        BoardHas(0, 2981);    // 298.1 K
        BoardHas(1, 12150);   // mV
        BoardHas(2, 0xFE0C);  // -500 mA
    }

    void BoardHas(int smbusLine, int32_t word) {
        const LineCommand& command = consoles.Line({ConsoleKind::Smbus, smbusLine}).command;
        board.registers[command.tableEntry != 0 ? commands[command.tableEntry] : command.fixed] = word;
    }
    std::string Shown(int sheet, int row, int column) const {
        const auto* cell = workbook->Sheet(sheet).Find({row, column});
        return cell ? DisplayText(cell->value) : "";
    }

    ixen_testing::TempFolder folder;
    testing_support::ScriptedBoard board;
    BoardCommandTable commands;
    int32_t busy = 0;
    testing_support::RecordingMessages messages;
    int32_t active = 0;
    int32_t rate = 1;
    char identification[17] = "IXEN-0042";
    ConsoleEnableFlags flags;
    CommandConsoles consoles{{board, commands, busy, messages, active, identification}, flags};
    std::time_t now = 1'000'000;
    std::shared_ptr<Workbook> workbook = std::make_shared<Workbook>();
    std::shared_ptr<WorkbookApplication> application = std::make_shared<WorkbookApplication>(workbook);
    Polling polling{{consoles, busy, rate, active, messages, [this] { return now; },
                     [this]() -> std::shared_ptr<ISpreadsheetApplication> { return application; }, [] {}}};
};

TEST_F(PollingIntoWorkbook, RowsShowTheirValuesAndTheChartFollows) {
    for (int start = 0; start < 4; ++start) {
        ASSERT_TRUE(polling.Start()) << "start " << start;
        const int records = start == 3 ? 2 : 3;
        for (int tick = 0; tick < 10 && polling.Spreadsheet().NextRow() < 2 + records; ++tick) {
            now += 5;
            polling.Tick();
        }
        ASSERT_EQ(polling.Spreadsheet().NextRow(), 2 + records) << "start " << start;
        polling.Stop();
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_TRUE(workbook->Visible());
    EXPECT_EQ(workbook->ActiveSheet(), 3);
    EXPECT_EQ(Shown(1, 1, 2), "BattTemp (C)");
    EXPECT_EQ(Shown(1, 2, 2), "24.9");
    EXPECT_EQ(Shown(1, 2, 3), "12.15");
    EXPECT_EQ(Shown(1, 2, 4), "-0.5");
    for (int row = 2; row <= 4; ++row) EXPECT_TRUE(workbook->Sheet(1).Find({row, 1})->value.IsNumber()) << row;
    EXPECT_EQ(workbook->Sheet(2).LastRow(), 4);
    // The fourth start wrote two rows over the third start's three, with a chart of its own.
    const auto& charts = workbook->Sheet(3).Charts();
    ASSERT_EQ(charts.size(), 2U);
    EXPECT_EQ(workbook->FindChart(charts[0])->source, (CellRect{1, 1, 5, 4}));
    EXPECT_EQ(workbook->FindChart(charts[1])->source, (CellRect{1, 1, 4, 4}));
    EXPECT_EQ(workbook->FindChart(charts[1])->title, "Charging Profile");
}

}  // namespace
