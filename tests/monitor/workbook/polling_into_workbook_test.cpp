// Polling's spreadsheet output into the real workbook: the rows polling writes
// show their values and the chart follows them, across four starts.
#include <gtest/gtest.h>

#include "tests/monitor/polling_rig.h"
#include "vantrel/monitor/workbook/workbook_application.h"

namespace {

using namespace vantrel;
using vantrel::workbook::CellRect;
using vantrel::workbook::DisplayText;
using vantrel::workbook::Workbook;
using vantrel::workbook::WorkbookApplication;

class PollingIntoWorkbook : public ::testing::Test, protected testing_support::PollingRig {
protected:
    PollingIntoWorkbook() {
        polling.nameField = folder.File("data.txt");
        polling.graphBox = true;
        BoardHas({ConsoleKind::Smbus, 0}, 2981);    // 298.1 K
        BoardHas({ConsoleKind::Smbus, 1}, 12150);   // mV
        BoardHas({ConsoleKind::Smbus, 2}, 0xFE0C);  // -500 mA
    }

    std::string Shown(int sheet, int row, int column) const {
        const auto* cell = workbook->Sheet(sheet).Find({row, column});
        return cell ? DisplayText(cell->value) : "";
    }

    std::shared_ptr<Workbook> workbook = std::make_shared<Workbook>();
    std::shared_ptr<WorkbookApplication> application = std::make_shared<WorkbookApplication>(workbook);
    Polling polling{Environment([this]() -> std::shared_ptr<ISpreadsheetApplication> { return application; })};
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
