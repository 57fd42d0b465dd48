#include "vantrel/monitor/polling.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "polling_rig.h"
#include "recording_spreadsheet.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/monitor/poll_log.h"

namespace vantrel {
namespace {

using testing_support::RecordingSpreadsheet;

constexpr ConsoleLineRef kBattTemp{ConsoleKind::Smbus, 0};
constexpr ConsoleLineRef kBattV{ConsoleKind::Smbus, 1};
constexpr ConsoleLineRef kBattI{ConsoleKind::Smbus, 2};
constexpr ConsoleLineRef kBattIAve{ConsoleKind::Smbus, 3};
constexpr ConsoleLineRef kSpecInfo{ConsoleKind::Smbus, 5};

class PollingTest : public testing::Test, protected testing_support::PollingRig {
protected:
    PollingTest() {
        polling.nameField = folder.File("data.txt");
        polling.logBox = true;
    }

    void Enable(ConsoleLineRef ref) { consoles.Console(ref.console).SetFlag(ref.line, true); }
    std::string Log() const { return ixen_testing::ReadBytes(folder.File("data.txt")); }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) polling.Tick();
    }

    std::shared_ptr<RecordingSpreadsheet> sheet = std::make_shared<RecordingSpreadsheet>();
    int launches = 0;
    int windowsCreated = 0;
    Polling polling{Environment(
        [this]() -> std::shared_ptr<ISpreadsheetApplication> {
            ++launches;
            return sheet;
        },
        [this] { ++windowsCreated; })};
};

TEST_F(PollingTest, WritesTheHeaderAndARecordOfTheEnabledColumns) {
    for (ConsoleLineRef ref : {kBattTemp, kBattV, kSpecInfo}) Enable(ref);
    BoardHas(kBattTemp, 2981);
    BoardHas(kBattV, 12150);
    BoardHas(kSpecInfo, 0x21);
    ASSERT_TRUE(polling.Start());
    EXPECT_EQ(Log(), "Time, BattTemp, Batt_V, Charger_Spec_Info, \r\n");
    now += 12;
    Ticks(2);  // the counter starts at 0: the first tick counts, the second polls
    EXPECT_EQ(Log(), "Time, BattTemp, Batt_V, Charger_Spec_Info, \r\n12, 298.1, 12150, 0x0021, \r\n");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(windowsCreated, 1);
}

TEST_F(PollingTest, EveryColumnInFileOrderWithItsFormat) {
    flags.smbus.fill(1);
    flags.temperature.fill(1);
    flags.other.fill(1);
    flags.i2c = {1, 1};
    consoles.ApplyFirmwareType(FirmwareType::UPS);  // the firmware with all sixteen sensors
    BoardHas(kBattI, 0xFE0C);      // -500 mA
    BoardHas(kBattIAve, 0xFFFF);   // -1 mA
    BoardHas({ConsoleKind::Other, 11}, 0xA5);
    BoardHas({ConsoleKind::Temperature, 15}, 3005);
    consoles.i2c.SetValue(1, 0x1234);  // the last manual read of the I2C console
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    const std::string log = Log();
    const std::string header = log.substr(0, log.find("\r\n") + 2);
    std::string expected = "Time, BattTemp, Batt_V, Batt_I, Batt_I_Ave, Batt_Rem_Cap, Charger_Spec_Info, "
                           "Charger_Mode, Charger_Status, Charging_Current, Charging_Voltage, Alarm_Warning, "
                           "Version, Serial Number, ";
    for (int sensor = 0; sensor < 16; ++sensor) expected += "I2C_Temp" + std::to_string(sensor) + ", ";
    expected += "TH_Temp, Main_Volt, Main_Current, Input_Power, Batt_Power, Charge_Cycle, Last_Charge_Term, "
                "Shut_Down, Power_Supply_Status, SU_SD_Cause, I2C_Low_Alarms, I2C_High_Alarms, Active_EE, "
                "EEprom_Data, \r\n";
    EXPECT_EQ(header, expected);
    const std::string record = log.substr(header.size());
    EXPECT_EQ(record.rfind("0, 0.0, 0, -500, -1, 0, 0x0000, ", 0), 0u) << record;
    EXPECT_NE(record.find(", IXEN-0042, 0.0, "), std::string::npos) << record;
    EXPECT_NE(record.find(", 300.5, 0, "), std::string::npos) << record;  // sensor 15, then TH_Temp
    EXPECT_NE(record.find(", 0x0000, 0x00A5, 0x0000, 0x1234, 0x0000, 0x0000, \r\n"), std::string::npos) << record;
}

TEST_F(PollingTest, NoLineEnabledGivesTimeOnly) {
    ASSERT_TRUE(polling.Start());
    now += 3;
    Ticks(3);
    EXPECT_EQ(Log(), "Time, \r\n3, \r\n3, \r\n");
}

TEST_F(PollingTest, NeitherBoxPollsButWritesNothing) {
    Enable(kBattV);
    BoardHas(kBattV, 11000);
    polling.logBox = false;
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    EXPECT_FALSE(std::filesystem::exists(folder.File("data.txt")));
    EXPECT_EQ(consoles.smbus.Value(1), 11000);
    EXPECT_EQ(board.calls.size(), 1u);
}

TEST_F(PollingTest, TickCountsAgainstTheRateAndRetriesABusyTick) {
    polling.rateField = "5";
    ASSERT_TRUE(polling.Start());
    EXPECT_EQ(rate, 5);
    std::vector<int> pollsAt;
    polling.onRecord = [&](const std::string&) { pollsAt.push_back(static_cast<int>(now - polling.StartTime())); };
    for (int second = 1; second <= 16; ++second) {
        now = polling.StartTime() + second;
        busy = second == 11 ? 1 : 0;  // a console pass holds the link at second 11
        polling.Tick();
        if (second == 11) {
            EXPECT_EQ(polling.TickCounter(), 5);
        }
    }
    // Five counted ticks, then every fifth tick; the busy one is taken a tick late.
    EXPECT_EQ(pollsAt, (std::vector<int>{6, 12}));
    Ticks(4);
    EXPECT_EQ(pollsAt.size(), 3u);
    EXPECT_EQ(Log(), "Time, \r\n6, \r\n12, \r\n16, \r\n");
}

TEST_F(PollingTest, RestartTruncatesTheLog) {
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    polling.StartStop();
    EXPECT_FALSE(polling.Active());
    Enable(kBattV);
    polling.StartStop();
    EXPECT_TRUE(polling.Active());
    EXPECT_EQ(Log(), "Time, Batt_V, \r\n");
}

TEST_F(PollingTest, AFailingReadPassStopsWithoutARecord) {
    Enable(kBattV);
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    board.result = [](std::size_t) { return 1; };
    polling.Tick();
    EXPECT_FALSE(polling.Active());
    EXPECT_EQ(messages.shown.size(), 1u);  // the console's own message, and no other
    EXPECT_EQ(Log(), "Time, Batt_V, \r\n0, 0, \r\n");
    EXPECT_TRUE(consoles.smbus.CheckBoxesEnabled());
}

TEST_F(PollingTest, AWrongChecksumStopsTooWithOneMessage) {
    Enable(kBattV);
    Enable({ConsoleKind::Other, 1});
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    // A silent serial board fails every read's checksum: the pass itself goes on.
    board.result = [](std::size_t) { return 3; };
    polling.Tick();
    EXPECT_FALSE(polling.Active());
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kUploadFailed});
    EXPECT_EQ(Log(), "Time, Batt_V, Main_Volt, \r\n0, 0, 0, \r\n");
    EXPECT_EQ(board.calls.size(), 3u);  // the Other console was not read
}

TEST_F(PollingTest, CheckBoxesAreLockedWhilePolling) {
    Enable(kBattV);
    ASSERT_TRUE(polling.Start());
    for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other})
        EXPECT_FALSE(console->CheckBoxesEnabled());
    EXPECT_TRUE(consoles.smbus.ClickCheckBox(1, false));  // the click does not take
    EXPECT_TRUE(consoles.smbus.Enabled(1));
    polling.Stop();
    EXPECT_TRUE(consoles.other.CheckBoxesEnabled());
}

TEST_F(PollingTest, RefusedFieldsKeepTheOldValues) {
    struct Case {
        std::string name;
        std::string rate;
        std::string message;
    };
    const Case cases[] = {
        {"data.txt", "0", "Please enter an integer between 1 and 60."},
        {"data.txt", "61", "Please enter an integer between 1 and 60."},
        {"data.txt", "two", "Please enter an integer."},
        {std::string(81, 'n'), "2", "Please enter no more than 80 characters."},
    };
    rate = 7;
    for (const Case& c : cases) {
        messages.shown.clear();
        polling.nameField = c.name;
        polling.rateField = c.rate;
        EXPECT_FALSE(polling.Start()) << c.rate;
        EXPECT_FALSE(polling.Active());
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
        EXPECT_EQ(rate, 7);
    }
    polling.nameField = std::string(80, 'n');
    polling.rateField = "60";
    EXPECT_TRUE(polling.ValidateFields());
    EXPECT_EQ(rate, 60);
}

TEST_F(PollingTest, ALogThatCannotBeCreatedLeavesPollingOff) {
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {folder.File("missing/data.txt"), "No such file or directory"},
        {folder.Path().string(), "Not a regular file"},  // a folder
    };
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    for (const Case& c : std::initializer_list<Case>{cases[0], cases[1], {folder.File("fifo"), "Not a regular file"}}) {
        messages.shown.clear();
        polling.nameField = c.path;
        EXPECT_FALSE(polling.Start());
        EXPECT_FALSE(polling.Active());
        EXPECT_EQ(messages.shown,
                  std::vector<std::string>{"Error: Unable to open poll data save file (" + c.reason + ")"});
        EXPECT_TRUE(consoles.smbus.CheckBoxesEnabled());
    }
}

TEST_F(PollingTest, ALogThatGoesAwayStopsPollingAndKeepsTheRecords) {
    polling.nameField = folder.File("run/data.txt");
    std::filesystem::create_directory(folder.File("run"));
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    std::filesystem::rename(folder.File("run"), folder.File("moved"));
    polling.Tick();
    EXPECT_FALSE(polling.Active());
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Error: Unable to open poll data save file (No such file or directory)"});
    EXPECT_EQ(ixen_testing::ReadBytes(folder.File("moved/data.txt")), "Time, \r\n0, \r\n");
}

TEST(PollLogFile, AWriteCutShortLeavesNoHalfRecord) {
    ixen_testing::TempFolder folder;
    const PollLogFile log(folder.File("data.txt"));
    ASSERT_EQ(log.Create("Time, \r\n"), 0);
    // The file may grow by a few bytes only, as on a disk that is nearly full.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 12;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int error = log.Append("1234, 298.1, 12150, \r\n");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ixen_testing::ReadBytes(folder.File("data.txt")), "Time, \r\n");
}

// The spreadsheet output, through a recording spreadsheet application.
class PollingSpreadsheet : public PollingTest {
protected:
    PollingSpreadsheet() {
        polling.graphBox = true;
        BoardHas(kBattTemp, 2981);
        BoardHas(kBattV, 12150);
        BoardHas(kBattI, 0xFE0C);
        BoardHas(kBattIAve, 0xFE20);  // -480
    }
};

TEST_F(PollingSpreadsheet, StartsPreparesAndWritesRowsInOrder) {
    ASSERT_TRUE(polling.Start());
    now += 12;
    Ticks(2);
    const std::vector<std::string> expected = {
        "Version",
        "AddWorkbook",
        "SheetItem 1",
        "PutValue 10 A1:A1 Time",
        "PutValue 10 B1:B1 BattTemp (C)",
        "PutValue 10 C1:C1 Batt_V (V)",
        "PutValue 10 D1:D1 Batt_I (A)",
        "AddChartObject 10 100,10,400,296",
        "ChartWizard 1 10 A1:D2 gallery 7 format 2 plotBy 2 categoryLabels 1 seriesLabels 1 hasLegend 1 "
        "title Charging Profile categoryTitle Time (s) valueTitle (omitted) extraTitle (omitted)",
        "SetVisible true",
        "SetSheetVisible 10 true",
        "ActivateSheet 10",
        "PutValue 10 A2:A2 12",
        "PutValue 10 B2:B2 =298.1-273.2",
        "PutValue 10 C2:C2 =12150/1000",
        "PutValue 10 D2:D2 =-500/1000",
        "SetSourceData 1 10 A1:D3 2",
    };
    EXPECT_EQ(sheet->calls, expected);
    // The chart's lines were forced on, so the log has their columns too.
    EXPECT_EQ(Log(), "Time, BattTemp, Batt_V, Batt_I, \r\n12, 298.1, 12150, -500, \r\n");
}

TEST_F(PollingSpreadsheet, TheAverageCurrentGoesToColumnEOutsideTheChart) {
    Enable(kBattIAve);
    ASSERT_TRUE(polling.Start());
    Ticks(3);
    EXPECT_EQ(sheet->CallsStartingWith("PutValue 10 E"), (std::vector<std::string>{"PutValue 10 E2:E2 -480",
                                                                                   "PutValue 10 E3:E3 -480"}));
    EXPECT_EQ(sheet->CallsStartingWith("SetSourceData").back(), "SetSourceData 1 10 A1:D4 2");
}

TEST_F(PollingSpreadsheet, TheFourthStartReusesTheThirdSheet) {
    for (int start = 0; start < 4; ++start) {
        ASSERT_TRUE(polling.Start());
        Ticks(2);
        polling.Stop();
    }
    EXPECT_EQ(sheet->CallsStartingWith("SheetItem"), (std::vector<std::string>{"SheetItem 1", "SheetItem 2",
                                                                               "SheetItem 3"}));
    EXPECT_EQ(sheet->CallsStartingWith("AddChartObject 30").size(), 2u);
    EXPECT_EQ(sheet->CallsStartingWith("PutValue 30 A2:A2").size(), 2u);  // rows start at 2 again
    EXPECT_EQ(sheet->CallsStartingWith("Version").size(), 1u);
    EXPECT_EQ(launches, 1);
    EXPECT_EQ(windowsCreated, 1);  // only before graphing was first started
    EXPECT_EQ(polling.Spreadsheet().GraphStartCount(), 4);
}

TEST_F(PollingSpreadsheet, AVersionOtherThanNineOrEightIsRefused) {
    sheet->version = "10.0";
    EXPECT_FALSE(polling.Start());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Excel output only works for Excel 2000",
                                                        "Couldn't start Excel and get Application object."}));
    EXPECT_FALSE(polling.graphBox);
    EXPECT_FALSE(polling.Active());
    EXPECT_FALSE(std::filesystem::exists(folder.File("data.txt")));
    sheet->version = "8.0";
    polling.graphBox = true;
    EXPECT_TRUE(polling.Start());
}

TEST_F(PollingSpreadsheet, StartFailures) {
    struct Case {
        const char* refused;  // the call the application refuses; nullptr: it cannot be created
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {nullptr, {"Couldn't start Excel and get Application object."}},
        {"AddWorkbook", {"Error starting Excel", "Couldn't start Excel and get Application object."}},
        {"AddChartObject", {"Error with Excel Automation"}},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        sheet = std::make_shared<RecordingSpreadsheet>();
        if (c.refused == nullptr) sheet = nullptr;
        else sheet->refuse = [&c](const std::string& call) { return call.rfind(c.refused, 0) == 0; };
        Polling fresh{Environment([this] { return std::static_pointer_cast<ISpreadsheetApplication>(sheet); })};
        fresh.graphBox = true;
        fresh.nameField = folder.File("data.txt");
        EXPECT_FALSE(fresh.Start());
        EXPECT_FALSE(fresh.Active());
        EXPECT_TRUE(fresh.graphBox);
        EXPECT_EQ(messages.shown, c.messages) << (c.refused ? c.refused : "not created");
    }
}

TEST_F(PollingSpreadsheet, AnAutomationErrorOnARowStopsPollingAndKeepsTheLog) {
    sheet->refuse = [](const std::string& call) { return call.rfind("SetSourceData", 0) == 0; };
    ASSERT_TRUE(polling.Start());
    Ticks(2);
    EXPECT_FALSE(polling.Active());
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error with Excel Automation"});
    EXPECT_EQ(Log(), "Time, BattTemp, Batt_V, Batt_I, \r\n0, 298.1, 12150, -500, \r\n");
}

}  // namespace
}  // namespace vantrel
