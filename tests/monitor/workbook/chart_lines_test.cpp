#include "vantrel/monitor/workbook/chart_lines.h"

#include <gtest/gtest.h>

#include "polling_sequence.h"
#include "vantrel/monitor/workbook/workbook_application.h"

namespace {

using vantrel::workbook::CellAddress;
using vantrel::workbook::ChartLines;
using vantrel::workbook::Workbook;
using vantrel::workbook::WorkbookApplication;
using workbook_testing::StartGraphing;
using workbook_testing::WriteRow;

// The chart's lines, told of every change of the workbook as a view is.
struct FollowedChart : vantrel::workbook::IWorkbookListener {
    FollowedChart(Workbook& book, vantrel::ChartId chart) : workbook(book), lines(book, chart) {
        workbook.AddListener(this);
    }
    ~FollowedChart() override { workbook.RemoveListener(this); }
    void CellChanged(int sheet, CellAddress cell) override { lines.NoteCellChanged(sheet, cell); }
    void ChartAdded(vantrel::ChartId) override {}
    void ChartChanged(vantrel::ChartId) override { lines.NoteChartChanged(); }
    void ViewStateChanged() override {}

    Workbook& workbook;
    ChartLines lines;
};

class ChartLinesTest : public ::testing::Test {
protected:
    ChartLinesTest() {
        app.AddWorkbook();
        start = StartGraphing(app, 0);
    }

    std::shared_ptr<Workbook> workbook = std::make_shared<Workbook>();
    WorkbookApplication app{workbook};
    workbook_testing::GraphStart start;
};

TEST_F(ChartLinesTest, RowsAddTheirPointsOneAtATime) {
    FollowedChart chart(*workbook, start.chart);
    EXPECT_TRUE(chart.lines.Refresh().rebuilt);
    WriteRow(app, start, "0", "298.1", "12150", "-500");
    ASSERT_TRUE(chart.lines.NeedsRefresh());
    chart.lines.Refresh();
    WriteRow(app, start, "5", "298.3", "12160", "-510");
    const ChartLines::Refreshed refreshed = chart.lines.Refresh();
    EXPECT_FALSE(refreshed.rebuilt);
    EXPECT_TRUE(refreshed.pointsChanged);
    const auto& lines = chart.lines.Lines();
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].name, "BattTemp (C)");
    EXPECT_EQ(lines[0].change, ChartLines::Change::AppendOne);
    ASSERT_EQ(lines[0].shown.size(), 2U);
    EXPECT_EQ(lines[0].shown[1].x, 5);
    EXPECT_NEAR(lines[0].shown[1].y, 25.1, 1e-9);
    EXPECT_NEAR(chart.lines.DataBounds().minY, -0.51, 1e-9);
    EXPECT_FALSE(chart.lines.NeedsRefresh());
}

TEST_F(ChartLinesTest, ALongRunKeepsEveryOtherRowAndTheNewest) {
    FollowedChart chart(*workbook, start.chart);
    constexpr int kRows = static_cast<int>(ChartLines::kMaxLinePoints) + 501;
    for (int row = 0; row < kRows; ++row) WriteRow(app, start, std::to_string(row), "300", "12000", "100");
    chart.lines.Refresh();
    const auto& shown = chart.lines.Lines()[0].shown;
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(kRows / 2 + 1));
    EXPECT_EQ(shown[1].x, 2);
    EXPECT_EQ(shown.back().x, kRows - 1);
    WriteRow(app, start, "5000", "300", "12000", "100");  // off the stride: shown as the newest
    chart.lines.Refresh();
    EXPECT_EQ(chart.lines.Lines()[0].change, ChartLines::Change::AppendOne);
    WriteRow(app, start, "5001", "300", "12000", "100");  // on the stride: takes the newest's place
    chart.lines.Refresh();
    EXPECT_EQ(chart.lines.Lines()[0].change, ChartLines::Change::ReplaceNewest);
    EXPECT_EQ(chart.lines.Lines()[0].shown.back().x, 5001);
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(kRows / 2 + 2));
}

}  // namespace
