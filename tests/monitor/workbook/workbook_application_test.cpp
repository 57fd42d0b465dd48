#include "vantrel/monitor/workbook/workbook_application.h"

#include <gtest/gtest.h>

#include <functional>

#include "polling_sequence.h"

namespace {

using vantrel::SpreadsheetError;
using vantrel::workbook::Chart;
using vantrel::workbook::CellRect;
using vantrel::workbook::DisplayText;
using vantrel::workbook::Workbook;
using vantrel::workbook::WorkbookApplication;
using workbook_testing::StartGraphing;
using workbook_testing::WriteRow;

class WorkbookApplicationTest : public ::testing::Test {
protected:
    std::string Shown(int sheet, const char* name) const {
        const auto* cell = workbook->Sheet(sheet).Find(*vantrel::workbook::ParseCellName(name));
        return cell ? DisplayText(cell->value) : "";
    }

    std::shared_ptr<Workbook> workbook = std::make_shared<Workbook>();
    WorkbookApplication app{workbook};
};

TEST_F(WorkbookApplicationTest, PollingFillsTheSheetAndMovesTheChartDown) {
    EXPECT_EQ(app.Version(), "9.0");
    app.AddWorkbook();
    auto start = StartGraphing(app, 0);
    EXPECT_EQ(start.sheet, 1);
    EXPECT_TRUE(workbook->Visible());
    EXPECT_EQ(workbook->ActiveSheet(), 1);
    WriteRow(app, start, "12", "298.1", "12150", "-500", "-480");
    WriteRow(app, start, "13", "298.3", "12160", "-510");

    EXPECT_EQ(Shown(1, "A1"), "Time");
    EXPECT_EQ(Shown(1, "D1"), "Batt_I (A)");
    EXPECT_EQ(Shown(1, "A2"), "12");
    EXPECT_EQ(Shown(1, "B2"), "24.9");
    EXPECT_EQ(Shown(1, "C2"), "12.15");
    EXPECT_EQ(Shown(1, "D2"), "-0.5");
    EXPECT_EQ(Shown(1, "E2"), "-480");
    EXPECT_EQ(Shown(1, "E3"), "");
    EXPECT_EQ(workbook->Sheet(1).Find({2, 2})->text, "=298.1-273.2");

    const Chart& chart = *workbook->FindChart(start.chart);
    EXPECT_EQ(chart.sheet, 1);
    EXPECT_EQ(chart.placement, workbook_testing::kChartPlacement);
    EXPECT_EQ(chart.title, "Charging Profile");
    EXPECT_EQ(chart.categoryTitle, "Time (s)");
    EXPECT_TRUE(chart.hasLegend);
    EXPECT_EQ(chart.source, (CellRect{1, 1, 4, 4}));  // A1:D4, the next row included
    const auto layout = vantrel::workbook::LayoutOf(chart);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->nameRow, 1);
    EXPECT_EQ(layout->categoryColumn, 1);
    EXPECT_EQ(layout->firstRow, 2);
    EXPECT_EQ(layout->valueColumns, (std::vector<int>{2, 3, 4}));
}

TEST_F(WorkbookApplicationTest, TheFourthStartReusesTheThirdSheetWithItsOwnChart) {
    app.AddWorkbook();
    std::vector<workbook_testing::GraphStart> starts;
    for (int count = 0; count < 3; ++count) {
        starts.push_back(StartGraphing(app, count));
        for (int row = 0; row < 3; ++row) WriteRow(app, starts.back(), std::to_string(row), "300", "12000", "100");
    }
    auto fourth = StartGraphing(app, 3);
    WriteRow(app, fourth, "0", "273.2", "11000", "0");

    EXPECT_EQ(starts[0].sheet, 1);
    EXPECT_EQ(starts[1].sheet, 2);
    EXPECT_EQ(starts[2].sheet, 3);
    EXPECT_EQ(fourth.sheet, 3);
    EXPECT_EQ(workbook->Sheet(3).Charts(), (std::vector<vantrel::ChartId>{starts[2].chart, fourth.chart}));
    EXPECT_EQ(workbook->FindChart(starts[2].chart)->source, (CellRect{1, 1, 5, 4}));
    EXPECT_EQ(workbook->FindChart(fourth.chart)->source, (CellRect{1, 1, 3, 4}));
    EXPECT_EQ(Shown(3, "B2"), "0");   // overwritten by the fourth start
    EXPECT_EQ(Shown(3, "C2"), "11");
    EXPECT_EQ(Shown(3, "A4"), "2");   // left from the third
    EXPECT_EQ(Shown(3, "B4"), "26.8");
}

TEST_F(WorkbookApplicationTest, RefusesWhatItCannotDo) {
    EXPECT_NO_THROW(app.Version());
    EXPECT_THROW(app.SheetItem(1), SpreadsheetError) << "before a workbook";
    app.AddWorkbook();
    const auto chart = app.AddChartObject(1, workbook_testing::kChartPlacement);
    const std::vector<std::pair<const char*, std::function<void()>>> refused = {
        {"second workbook", [&] { app.AddWorkbook(); }},
        {"sheet 0", [&] { app.SheetItem(0); }},
        {"sheet 4", [&] { app.SheetItem(4); }},
        {"chart on sheet 9", [&] { app.AddChartObject(9, workbook_testing::kChartPlacement); }},
        {"chart of no size", [&] { app.AddChartObject(1, {100, 10, 0, 296}); }},
        {"cell A0", [&] { app.PutValue({1, "A0", "A0"}, "1"); }},
        {"empty cell name", [&] { app.PutValue({1, "", ""}, "1"); }},
        {"cell XFE1", [&] { app.PutValue({1, "XFE1", "XFE1"}, "1"); }},
        {"bad second corner", [&] { app.PutValue({1, "A1", "D"}, "1"); }},
        {"unknown sheet", [&] { app.PutValue({4, "A1", "A1"}, "1"); }},
        {"huge range", [&] { app.PutValue({1, "A1", "XFD1048576"}, "1"); }},
        {"unknown chart", [&] { app.ChartWizard(chart + 1, workbook_testing::WizardArguments(1)); }},
        {"unknown chart source", [&] { app.SetSourceData(0, {1, "A1", "D3"}, 2); }},
        {"plot by rows", [&] { app.SetSourceData(chart, {1, "A1", "D3"}, 1); }},
        {"bad source", [&] { app.SetSourceData(chart, {1, "A1", "D0"}, 2); }},
        {"activate sheet 4", [&] { app.ActivateSheet(4); }},
        {"show sheet 0", [&] { app.SetSheetVisible(0, true); }},
    };
    for (const auto& [what, call] : refused) EXPECT_THROW(call(), SpreadsheetError) << what;
    // Refusals change nothing.
    EXPECT_TRUE(workbook->Sheet(1).Rows().empty());
    EXPECT_FALSE(workbook->FindChart(chart)->source);
}

TEST_F(WorkbookApplicationTest, KeepsOneSheetVisibleAndTheActiveOneShown) {
    app.AddWorkbook();
    app.ActivateSheet(2);
    app.SetSheetVisible(2, false);
    EXPECT_EQ(workbook->ActiveSheet(), 1);
    EXPECT_THROW(app.ActivateSheet(2), SpreadsheetError);
    app.SetSheetVisible(1, false);
    EXPECT_THROW(app.SetSheetVisible(3, false), SpreadsheetError);
    EXPECT_TRUE(workbook->Sheet(3).Visible());
    EXPECT_EQ(workbook->ActiveSheet(), 3);
}

TEST_F(WorkbookApplicationTest, ARangeFillsEveryCellAndAnEmptyTextClears) {
    app.AddWorkbook();
    app.PutValue({2, "C3", "B2"}, "=1+1");
    for (const char* name : {"B2", "B3", "C2", "C3"}) EXPECT_EQ(Shown(2, name), "2") << name;
    app.PutValue({2, "B2", "C2"}, "");
    EXPECT_EQ(workbook->Sheet(2).Rows().size(), 1U);
    EXPECT_EQ(workbook->Sheet(2).LastRow(), 3);
    EXPECT_EQ(workbook->Sheet(2).LastColumn(), 3);
}

}  // namespace
