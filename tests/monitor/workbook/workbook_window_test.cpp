#include "vantrel/monitor/workbook/qt/workbook_window.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QCoreApplication>
#include <QLegend>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableView>
#include <QValueAxis>
#include <filesystem>

#include "polling_sequence.h"
#include "tests/app/scripted_prompter.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "unzip_part.h"
#include "vantrel/monitor/workbook/qt/workbook_chart_view.h"
#include "vantrel/monitor/workbook/qt/workbook_window_host.h"

namespace {

using vantrel::workbook::WorkbookChartView;
using vantrel::workbook::WorkbookWindow;
using workbook_testing::StartGraphing;
using workbook_testing::WriteRow;

QList<QPointF> PointsOf(const QLineSeries* line) { return line->points(); }

// Counts what happens to a line's points: appends, and anything that rebuilds them.
struct LineChanges {
    explicit LineChanges(QLineSeries* line) {
        QObject::connect(line, &QXYSeries::pointAdded, [this] { ++added; });
        QObject::connect(line, &QXYSeries::pointsReplaced, [this] { ++rebuilt; });
        QObject::connect(line, &QXYSeries::pointRemoved, [this] { ++rebuilt; });
        QObject::connect(line, &QXYSeries::pointsRemoved, [this] { ++rebuilt; });
    }
    int added = 0;
    int rebuilt = 0;
};

class WorkbookWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = host.Launcher()();
        ASSERT_TRUE(app);
        ASSERT_EQ(app->Version(), "9.0");
        app->AddWorkbook();
        window = host.Window();
        ASSERT_NE(window, nullptr);
    }

    // Lets the window catch up until condition holds.
    template <class Condition>
    static bool Eventually(Condition condition) {
        return ixen_testing::WaitUntil([&] {
            QCoreApplication::processEvents();
            return condition();
        });
    }

    static bool HasPoints(const WorkbookChartView* view, int count) {
        const auto& lines = view->Lines();
        return lines.size() == 3 && std::all_of(lines.begin(), lines.end(), [&](const QLineSeries* line) {
                   return line->count() == count;
               });
    }

    QString Shown(int sheet, int row, int column) const {
        const QAbstractItemModel* model = window->Grid(sheet)->model();
        return model->data(model->index(row - 1, column - 1)).toString();
    }

    ScriptedPrompter prompter;
    vantrel::workbook::WorkbookWindowHost host{prompter};
    std::shared_ptr<vantrel::ISpreadsheetApplication> app;
    WorkbookWindow* window = nullptr;
};

TEST_F(WorkbookWindowTest, TheChartGrowsRowByRowWithoutRedrawing) {
    EXPECT_FALSE(window->isVisible()) << "hidden until polling shows it";
    auto start = StartGraphing(*app, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(host.Launcher()(), app) << "one application per run";

    const auto views = window->ChartViews(1);
    ASSERT_EQ(views.size(), 1U);
    WorkbookChartView* view = views[0];
    WriteRow(*app, start, "0", "298.1", "12150", "-500", "-480");
    ASSERT_TRUE(Eventually([&] { return HasPoints(view, 1); }));
    const std::vector<QLineSeries*> lines = view->Lines();
    std::vector<std::unique_ptr<LineChanges>> changes;
    for (QLineSeries* line : lines) changes.push_back(std::make_unique<LineChanges>(line));

    WriteRow(*app, start, "5", "298.3", "12160", "-510");
    ASSERT_TRUE(Eventually([&] { return HasPoints(view, 2); }));
    WriteRow(*app, start, "10", "298.4", "12170", "-520");
    ASSERT_TRUE(Eventually([&] { return HasPoints(view, 3); }));

    EXPECT_EQ(view->Lines(), lines) << "the same lines go on";
    for (const auto& change : changes) {
        EXPECT_EQ(change->added, 2);
        EXPECT_EQ(change->rebuilt, 0);
    }
    const QList<QPointF> temperature = PointsOf(lines[0]);
    ASSERT_EQ(temperature.size(), 3);
    EXPECT_EQ(temperature[0].x(), 0);
    EXPECT_NEAR(temperature[0].y(), 24.9, 1e-9);
    EXPECT_EQ(temperature[2].x(), 10);
    EXPECT_NEAR(temperature[2].y(), 25.2, 1e-9);
    EXPECT_NEAR(PointsOf(lines[1])[1].y(), 12.16, 1e-9);
    EXPECT_NEAR(PointsOf(lines[2])[2].y(), -0.52, 1e-9);
    EXPECT_EQ(lines[0]->name(), "BattTemp (C)");
    EXPECT_EQ(lines[1]->name(), "Batt_V (V)");
    EXPECT_EQ(lines[2]->name(), "Batt_I (A)");

    EXPECT_EQ(view->chart()->title(), "Charging Profile");
    EXPECT_EQ(view->CategoryAxis()->titleText(), "Time (s)");
    EXPECT_TRUE(view->chart()->legend()->isVisible());
    EXPECT_LE(view->CategoryAxis()->min(), 0);
    EXPECT_GE(view->CategoryAxis()->max(), 10);
    EXPECT_LE(view->ValueAxis()->min(), -0.52);
    EXPECT_GE(view->ValueAxis()->max(), 25.2);

    // At 100, 10 points from cell A1's corner, 400 x 296 points large.
    QTableView* grid = window->Grid(1);
    EXPECT_EQ(view->parentWidget(), grid->viewport());
    const QPoint cellA1(grid->columnViewportPosition(0), grid->rowViewportPosition(0));
    EXPECT_EQ(view->geometry(), QRect(cellA1 + QPoint(133, 13), QSize(533, 394)));

    EXPECT_EQ(Shown(1, 1, 2), "BattTemp (C)");
    EXPECT_EQ(Shown(1, 2, 2), "24.9");
    EXPECT_EQ(Shown(1, 3, 3), "12.16");
    EXPECT_EQ(Shown(1, 4, 4), "-0.52");
    EXPECT_EQ(Shown(1, 2, 5), "-480");
}

TEST_F(WorkbookWindowTest, TheFourthStartRedrawsTheThirdChartItOverwrites) {
    std::vector<workbook_testing::GraphStart> starts;
    for (int count = 0; count < 3; ++count) {
        starts.push_back(StartGraphing(*app, count));
        for (int row = 0; row < 4; ++row) WriteRow(*app, starts.back(), std::to_string(row), "300", "12000", "100");
    }
    EXPECT_EQ(window->Tabs()->currentIndex(), 2);
    auto fourth = StartGraphing(*app, 3);
    WriteRow(*app, fourth, "0", "273.2", "11000", "0");
    WriteRow(*app, fourth, "7", "274.2", "11000", "0");

    const auto views = window->ChartViews(3);
    ASSERT_EQ(views.size(), 2U);
    // The fourth chart's source reaches the row after its own two, still the third start's.
    ASSERT_TRUE(Eventually([&] { return HasPoints(views[0], 4) && HasPoints(views[1], 3); }));
    // The third start's chart keeps its four rows: two overwritten, two its own.
    std::vector<double> third;
    for (const QPointF& point : PointsOf(views[0]->Lines()[0])) third.push_back(point.x());
    EXPECT_EQ(third, (std::vector<double>{0, 7, 2, 3}));
    EXPECT_NEAR(PointsOf(views[0]->Lines()[0])[1].y(), 1, 1e-9);
    EXPECT_NEAR(PointsOf(views[0]->Lines()[0])[2].y(), 26.8, 1e-9);
    EXPECT_NEAR(PointsOf(views[1]->Lines()[0])[1].y(), 1, 1e-9);
    // The later chart lies on top.
    QWidget* viewport = window->Grid(3)->viewport();
    const QPoint inBoth = views[1]->geometry().center();
    QWidget* top = viewport->childAt(inBoth);
    while (top != nullptr && top->parentWidget() != viewport) top = top->parentWidget();
    EXPECT_EQ(top, views[1]);
}

TEST_F(WorkbookWindowTest, ALongRunShowsEveryOtherRowAndAlwaysTheNewest) {
    auto start = StartGraphing(*app, 0);
    constexpr int kRows = static_cast<int>(WorkbookChartView::kMaxLinePoints) + 501;
    for (int row = 0; row < kRows; ++row) WriteRow(*app, start, std::to_string(row), "300", "12000", "100");
    WorkbookChartView* view = window->ChartViews(1).at(0);
    // Every second row of 0..2500, and the newest, 2500, on the stride.
    ASSERT_TRUE(Eventually([&] { return HasPoints(view, kRows / 2 + 1); }));
    const QList<QPointF> points = PointsOf(view->Lines()[0]);
    EXPECT_EQ(points.front().x(), 0);
    EXPECT_EQ(points[1].x(), 2);
    EXPECT_EQ(points.back().x(), kRows - 1);

    // The next row, off the stride, is shown; the one after it takes its place.
    WriteRow(*app, start, "5000", "300", "12000", "100");
    ASSERT_TRUE(Eventually([&] { return PointsOf(view->Lines()[0]).back().x() == 5000; }));
    EXPECT_EQ(view->Lines()[0]->count(), kRows / 2 + 2);
    WriteRow(*app, start, "5001", "300", "12000", "100");
    ASSERT_TRUE(Eventually([&] { return PointsOf(view->Lines()[0]).back().x() == 5001; }));
    EXPECT_EQ(view->Lines()[0]->count(), kRows / 2 + 2);
    EXPECT_EQ(PointsOf(view->Lines()[0])[kRows / 2].x(), kRows - 1);
    for (QLineSeries* line : view->Lines()) EXPECT_LE(line->count(), WorkbookChartView::kMaxLinePoints);
}

TEST_F(WorkbookWindowTest, ClosingHidesAndPollingOrTheMenuShowsAgain) {
    auto start = StartGraphing(*app, 0);
    WriteRow(*app, start, "0", "298.1", "12150", "-500");
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(window->close() || !window->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Shown(1, 2, 2), "24.9") << "the data lives on";

    EXPECT_TRUE(host.ShowWindow());
    EXPECT_TRUE(window->isVisible());
    window->close();
    app->ActivateSheet(1);
    EXPECT_FALSE(window->isVisible()) << "only the application's visibility shows it";
    StartGraphing(*app, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Tabs()->currentIndex(), 1);
    window->Tabs()->setCurrentIndex(2);
    app->ActivateSheet(1);
    EXPECT_EQ(window->Tabs()->currentIndex(), 0);
}

TEST_F(WorkbookWindowTest, SaveAsWritesTheFileTheDialogNames) {
    ixen_testing::TempFolder folder;
    auto start = StartGraphing(*app, 0);
    WriteRow(*app, start, "0", "298.1", "12150", "-500");
    prompter.saveAnswers = {folder.File("run.xlsx"), folder.File("sheet.CSV"), std::nullopt,
                            folder.File("missing/run.xlsx"), folder.File("run.txt")};

    EXPECT_TRUE(window->SaveAs());
    EXPECT_EQ(prompter.saveFilters.at(0), WorkbookWindow::kSaveFilter);
    EXPECT_EQ(prompter.defaultExtensions.at(0), "xlsx");
    EXPECT_NE(workbook_testing::UnzipPart(folder.File("run.xlsx"), "xl/charts/chart1.xml").find("<c:lineChart>"),
              std::string::npos);

    EXPECT_TRUE(window->SaveAs());
    EXPECT_EQ(ixen_testing::ReadBytes(folder.File("sheet.CSV")),
              "Time,BattTemp (C),Batt_V (V),Batt_I (A)\r\n0,24.9,12.15,-0.5\r\n");

    EXPECT_FALSE(window->SaveAs()) << "cancelled";
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_FALSE(window->SaveAs());
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_NE(prompter.messages[0].text.find("Cannot save " + folder.File("missing/run.xlsx")), std::string::npos);
    EXPECT_NE(prompter.messages[0].text.find("No such file or directory"), std::string::npos);

    EXPECT_FALSE(window->SaveAs());
    EXPECT_EQ(prompter.Texts().back(), WorkbookWindow::kUnknownExtension);
    EXPECT_FALSE(std::filesystem::exists(folder.File("run.txt")));

    // An existing file is replaced only when the user says so.
    const std::string earlier = ixen_testing::ReadBytes(folder.File("run.xlsx"));
    WriteRow(*app, start, "5", "298.3", "12160", "-510");
    prompter.saveAnswers = {folder.File("run.xlsx"), folder.File("run.xlsx")};
    prompter.answers = {false, true};
    EXPECT_FALSE(window->SaveAs());
    EXPECT_EQ(prompter.questions.back(), folder.File("run.xlsx") + WorkbookWindow::kReplaceQuestion);
    EXPECT_EQ(ixen_testing::ReadBytes(folder.File("run.xlsx")), earlier);
    EXPECT_TRUE(window->SaveAs());
    EXPECT_NE(ixen_testing::ReadBytes(folder.File("run.xlsx")), earlier);
    EXPECT_EQ(prompter.questions.size(), 2U);
    EXPECT_EQ(prompter.unexpected, 0);
}

}  // namespace
