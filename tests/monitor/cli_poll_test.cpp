// vantrel-cli poll against simulated boards: the log, the records on standard
// output, the workbook, and every way polling ends.
#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <regex>
#include <sstream>

#include "sim/pty_board.h"
#include "tests/config/cli_runs.h"
#include "tests/monitor/workbook/unzip_part.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "vantrel/cli/cli_run.h"
#include "vantrel/config/settings_file.h"

namespace vantrel {
namespace {

using testing_support::Cli;

const char* const kRecord = R"(\d+, \d+\.\d, \d+, -?\d+, )";

// Every run works in a fresh current folder, where the log and Vantrel.ini live.
class CliPoll : public testing::Test {
protected:
    CliPoll() { std::filesystem::current_path(folder.Path()); }
    static std::string Log(const std::string& name = "data.txt") { return ixen_testing::ReadBytes(name); }

    ixen_testing::CurrentDirectoryGuard directory;
    ixen_testing::TempFolder folder;
};

TEST_F(CliPoll, WritesTheLogAndPrintsEachRecord) {
    const auto run = Cli({"--trace", "--simulate", "poll", "--count", "2", "--columns", "BattTemp,Batt_V,Batt_I"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("HOST:"), std::string::npos);  // what the usage cases look for when nothing is sent
    EXPECT_TRUE(std::regex_match(run.out, std::regex("(" + std::string(kRecord) + "\n){2}"))) << run.out;
    EXPECT_TRUE(std::regex_match(Log(), std::regex("Time, BattTemp, Batt_V, Batt_I, \r\n(" + std::string(kRecord) +
                                                   "\r\n){2}")))
        << Log();
}

TEST_F(CliPoll, ColumnsDefaultToTheFlagsOfTheSettingsFile) {
    SavedSettings saved;
    saved.enableFlags.smbus[12] = 1;  // the serial number
    saved.enableFlags.other[1] = 1;   // Main_Volt
    ASSERT_TRUE(SaveSettingsFile("Vantrel.ini", saved));
    const auto run = Cli({"--simulate", "poll", "--count", "1", "--log", "run.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(Log("run.txt"), std::regex("Time, Serial Number, Main_Volt, \r\n\\d+, .+, \\d+, \r\n")))
        << Log("run.txt");
}

TEST_F(CliPoll, WithoutALogOnlyPrints) {
    const auto run = Cli({"--simulate", "poll", "--count", "1", "--columns", "Batt_V", "--log", "-"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex(R"(\d+, \d+, \n)"))) << run.out;
    EXPECT_FALSE(std::filesystem::exists("data.txt"));
}

TEST_F(CliPoll, BadOptionsAreUsageErrorsWithNothingSent) {
    const std::vector<std::vector<std::string>> cases = {
        {"--rate", "0"},         {"--rate", "61"},        {"--count", "0"},
        {"--count", "many"},     {"--columns", "Bogus"},  {"--columns", "Out_5V"},  // no column of the log
        {"--columns", "Batt_V,"}, {"--frobnicate", "1"},  {"--rate"},
        {"--log", std::string(81, 'x')},
    };
    for (const auto& options : cases) {
        std::vector<std::string> args = {"--trace", "--simulate", "poll"};
        args.insert(args.end(), options.begin(), options.end());
        const auto run = Cli(args);
        EXPECT_EQ(run.status, 64) << options[0];
        EXPECT_NE(run.err.find("vantrel-cli: "), std::string::npos) << options[0];
        EXPECT_EQ(run.err.find("HOST:"), std::string::npos) << run.err;  // the trace shows nothing sent
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(CliPoll, FillsAndSavesTheWorkbookWithItsChart) {
    const auto run = Cli({"--simulate", "poll", "--count", "2", "--columns", "Batt_V", "--xlsx", "charge.xlsx"});
    EXPECT_EQ(run.status, 0) << run.err;
    // The chart's lines are forced on: the log has their columns too.
    EXPECT_EQ(Log().substr(0, Log().find('\r')), "Time, BattTemp, Batt_V, Batt_I, ");
    const std::string chart = workbook_testing::UnzipPart("charge.xlsx", "xl/charts/chart1.xml");
    EXPECT_NE(chart.find("<c:lineChart>"), std::string::npos) << chart;
    EXPECT_NE(chart.find("Charging Profile"), std::string::npos);
    const std::string sheet = workbook_testing::UnzipPart("charge.xlsx", "xl/worksheets/sheet1.xml");
    EXPECT_EQ(workbook_testing::AllBetween(sheet, "<f>", "</f>").size(), 6u) << sheet;  // B..D of two rows
}

TEST_F(CliPoll, AWorkbookFolderThatCannotBeWrittenIsSaidBeforePolling) {
    const auto run = Cli({"--trace", "--simulate", "poll", "--count", "1", "--xlsx", "missing/charge.xlsx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot save the workbook in"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("HOST:"), std::string::npos) << run.err;  // nothing sent
    EXPECT_FALSE(std::filesystem::exists("data.txt"));
}

TEST_F(CliPoll, ASignalEndsPollingWithTheFilesComplete) {
    auto running = std::async(std::launch::async, [] { return Cli({"--simulate", "poll", "--columns", "Batt_V"}); });
    ASSERT_TRUE(ixen_testing::WaitUntil([] { return Log().find(", \r\n", Log().find('\n')) != std::string::npos; },
                                        std::chrono::seconds(60)));
    std::raise(SIGTERM);
    const auto run = running.get();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(Log(), std::regex("Time, Batt_V, \r\n(\\d+, \\d+, \r\n)+"))) << Log();
}

TEST_F(CliPoll, ABoardThatGoesSilentEndsWithTheRecordsKept) {
    ixsim::BoardOptions options;
    options.byteTimeoutMs = 10000;
    ixsim::PtyBoard board(options);
    auto running = std::async(std::launch::async, [&board] {
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunCli({"--com", "1=" + board.Path(), "poll", "--columns", "Batt_V"}, out, err);
        return testing_support::CliRun{status, out.str(), err.str()};
    });
    ASSERT_TRUE(ixen_testing::WaitUntil([] { return Log().find(", \r\n", Log().find('\n')) != std::string::npos; },
                                        std::chrono::seconds(60)));
    board.Stop();  // the board answers no more
    const auto run = running.get();
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    const std::string log = Log();
    EXPECT_TRUE(std::regex_match(log, std::regex("Time, Batt_V, \r\n(\\d+, \\d+, \r\n)+"))) << log;
}

}  // namespace
}  // namespace vantrel
