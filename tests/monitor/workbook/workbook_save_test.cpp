#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "polling_sequence.h"
#include "tests/support/temp_folder.h"
#include "unzip_part.h"
#include "vantrel/monitor/workbook/csv_export.h"
#include "vantrel/monitor/workbook/workbook_application.h"
#include "vantrel/monitor/workbook/xlsx_export.h"

namespace {

namespace fs = std::filesystem;
using vantrel::workbook::SaveSheetCsv;
using vantrel::workbook::SaveWorkbookXlsx;
using vantrel::workbook::Workbook;
using vantrel::workbook::WorkbookApplication;
using workbook_testing::AllBetween;
using workbook_testing::CellElement;
using workbook_testing::UnzipPart;

class WorkbookSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.AddWorkbook();
        auto start = workbook_testing::StartGraphing(app, 0);
        workbook_testing::WriteRow(app, start, "0", "298.1", "12150", "-500", "-480");
        workbook_testing::WriteRow(app, start, "5", "298.3", "12160", "-510", "-490");
        workbook_testing::WriteRow(app, start, "10", "298.4", "12170", "-520", "-500");
        app.PutValue({1, "G1", "G1"}, "a \"quoted\", text");
    }

    std::shared_ptr<Workbook> workbook = std::make_shared<Workbook>();
    WorkbookApplication app{workbook};
    ixen_testing::TempFolder folder;
};

TEST_F(WorkbookSaveTest, XlsxHoldsTheCellsAndANativeLineChart) {
    const std::string path = folder.File("profile.xlsx");
    ASSERT_EQ(SaveWorkbookXlsx(*workbook, path), std::nullopt);

    const std::string chart = UnzipPart(path, "xl/charts/chart1.xml");
    ASSERT_FALSE(chart.empty()) << "no chart part in the saved workbook";
    EXPECT_NE(chart.find("<c:lineChart>"), std::string::npos);
    EXPECT_NE(chart.find("<c:legend>"), std::string::npos);
    EXPECT_EQ(AllBetween(chart, "<a:t>", "</a:t>"), (std::vector<std::string>{"Charging Profile", "Time (s)"}));
    // Three series B..D named by the header row, over the filled rows 2..4 (the
    // source's empty row 5 trimmed), with column A as the categories.
    EXPECT_EQ(AllBetween(chart, "<c:tx><c:strRef><c:f>", "</c:f>"),
              (std::vector<std::string>{"Sheet1!$B$1", "Sheet1!$C$1", "Sheet1!$D$1"}));
    EXPECT_EQ(AllBetween(chart, "<c:val><c:numRef><c:f>", "</c:f>"),
              (std::vector<std::string>{"Sheet1!$B$2:$B$4", "Sheet1!$C$2:$C$4", "Sheet1!$D$2:$D$4"}));
    EXPECT_EQ(AllBetween(chart, "<c:cat><c:numRef><c:f>", "</c:f>"),
              (std::vector<std::string>{"Sheet1!$A$2:$A$4", "Sheet1!$A$2:$A$4", "Sheet1!$A$2:$A$4"}));

    // 100 points from the left is 133 pixels: column C (index 2) of 64-pixel columns.
    const std::string drawing = UnzipPart(path, "xl/drawings/drawing1.xml");
    EXPECT_EQ(AllBetween(drawing, "<xdr:from><xdr:col>", "</xdr:col>"), (std::vector<std::string>{"2"}));

    const std::string sheet = UnzipPart(path, "xl/worksheets/sheet1.xml");
    const std::string b2 = CellElement(sheet, "B2");
    EXPECT_EQ(AllBetween(b2, "<f>", "</f>"), (std::vector<std::string>{"298.1-273.2"}));
    const auto cached = AllBetween(b2, "<v>", "</v>");
    ASSERT_EQ(cached.size(), 1U);
    EXPECT_NEAR(std::stod(cached[0]), 24.9, 1e-9);
    const std::string d3 = CellElement(sheet, "D3");
    EXPECT_EQ(AllBetween(d3, "<f>", "</f>"), (std::vector<std::string>{"-510/1000"}));
    EXPECT_EQ(AllBetween(d3, "<v>", "</v>"), (std::vector<std::string>{"-0.51"}));
    const std::string a4 = CellElement(sheet, "A4");
    EXPECT_EQ(AllBetween(a4, "<f>", "</f>"), (std::vector<std::string>{})) << "a number, not a formula";
    EXPECT_EQ(AllBetween(a4, "<v>", "</v>"), (std::vector<std::string>{"10"}));
    EXPECT_EQ(AllBetween(CellElement(sheet, "E2"), "<v>", "</v>"), (std::vector<std::string>{"-480"}));
    EXPECT_NE(CellElement(sheet, "A1").find("t=\"s\""), std::string::npos);  // "Time", a shared string
    EXPECT_NE(UnzipPart(path, "xl/sharedStrings.xml").find("BattTemp (C)"), std::string::npos);
    EXPECT_EQ(UnzipPart(path, "xl/charts/chart2.xml"), "") << "one chart only";
    // Nothing left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST_F(WorkbookSaveTest, CsvHoldsTheGridAsShown) {
    const std::string path = folder.File("sheet1.csv");
    ASSERT_EQ(SaveSheetCsv(workbook->Sheet(1), path), std::nullopt);
    EXPECT_EQ(ixen_testing::ReadBytes(path),
              "Time,BattTemp (C),Batt_V (V),Batt_I (A),,,\"a \"\"quoted\"\", text\"\r\n"
              "0,24.9,12.15,-0.5,-480,,\r\n"
              "5,25.1,12.16,-0.51,-490,,\r\n"
              "10,25.2,12.17,-0.52,-500,,\r\n");
    EXPECT_EQ(vantrel::workbook::SheetCsv(workbook->Sheet(2)), "");
}

TEST_F(WorkbookSaveTest, ASaveIntoAMissingFolderSaysWhy) {
    const std::string path = folder.File("missing/profile.xlsx");
    const auto xlsx = SaveWorkbookXlsx(*workbook, path);
    ASSERT_TRUE(xlsx);
    EXPECT_NE(xlsx->find(path), std::string::npos) << *xlsx;
    EXPECT_NE(xlsx->find("No such file or directory"), std::string::npos) << *xlsx;
    const auto csv = SaveSheetCsv(workbook->Sheet(1), folder.File("missing/sheet.csv"));
    ASSERT_TRUE(csv);
    EXPECT_NE(csv->find("No such file or directory"), std::string::npos) << *csv;
    EXPECT_FALSE(fs::exists(folder.File("missing")));
}

TEST_F(WorkbookSaveTest, AFailedSaveLeavesTheEarlierFileIntact) {
    const std::string path = folder.File("profile.xlsx");
    const std::string earlier = "an earlier workbook";
    ixen_testing::WriteBytes(path, earlier);
    // A file size limit stands in for a full disk; it holds for root as well.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto xlsx = SaveWorkbookXlsx(*workbook, path);
    for (int row = 5; row < 200; ++row) app.PutValue({1, "A" + std::to_string(row), "A" + std::to_string(row)}, "long enough");
    const auto csv = SaveSheetCsv(workbook->Sheet(1), path);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(xlsx);
    EXPECT_NE(xlsx->find("Cannot save " + path), std::string::npos) << *xlsx;
    ASSERT_TRUE(csv);
    EXPECT_NE(csv->find("too large"), std::string::npos) << *csv;
    EXPECT_EQ(ixen_testing::ReadBytes(path), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1) << "a temporary file left";
}

TEST_F(WorkbookSaveTest, AReadOnlyFolderRefusesTheSaveAndKeepsTheEarlierFile) {
    const std::string path = folder.File("profile.xlsx");
    ixen_testing::WriteBytes(path, "earlier");
    fs::permissions(path, fs::perms::owner_read);
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = access(folder.Path().c_str(), W_OK) != 0;
    const auto xlsx = refused ? SaveWorkbookXlsx(*workbook, path) : std::nullopt;
    fs::permissions(folder.Path(), fs::perms::owner_all);
    if (!refused) GTEST_SKIP() << "this process may write into any folder (root): nothing can be refused";
    ASSERT_TRUE(xlsx);
    EXPECT_NE(xlsx->find("Permission denied"), std::string::npos) << *xlsx;
    EXPECT_EQ(ixen_testing::ReadBytes(path), "earlier");
}

}  // namespace
