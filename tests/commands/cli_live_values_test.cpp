#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "sim/pty_board.h"
#include "vantrel/cli/cli_run.h"
#include "zone_guard.h"

namespace vantrel {
namespace {

using testing_support::ZoneGuard;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

ixsim::BoardOptions Firmware(int type) {
    ixsim::BoardOptions options;
    options.firmwareType = type;
    // A loaded machine may leave a gap between two bytes of a frame: the board
    // must not give up on it (the tests here inject their faults explicitly).
    options.byteTimeoutMs = 10000;
    return options;
}

// vantrel-cli against a simulated board that outlives the runs, so that a test
// can pin its values and look at what a command changed.
class CliLiveValues : public testing::Test {
protected:
    CliRun Cli(std::vector<std::string> args, ixsim::PtyBoard* on = nullptr) {
        ixsim::PtyBoard& target = on != nullptr ? *on : board;
        args.insert(args.begin(), {"--com", "1=" + target.Path()});
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunCli(args, out, err);
        return {status, out.str(), err.str()};
    }
    void Pin(std::initializer_list<std::pair<uint8_t, uint16_t>> registers) {
        board.WithBoard([&](ixsim::Board& b) {
            for (const auto& [command, word] : registers) b.SetRegister(command, word);
        });
    }
    uint16_t Register(uint8_t command) {
        uint16_t word = 0;
        board.WithBoard([&](ixsim::Board& b) { word = b.Register(command); });
        return word;
    }
    std::size_t BytesReceived(ixsim::PtyBoard& target) {
        std::size_t count = 0;
        target.WithBoard([&](ixsim::Board& b) { count = b.received.size(); });
        return count;
    }
    static std::vector<std::string> Names(const std::string& out) {
        std::vector<std::string> names;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.find(':')));
        return names;
    }

    ixsim::PtyBoard board{Firmware(2)};
};

TEST_F(CliLiveValues, GetPrintsTheNamedValuesInTheirLogFormat) {
    Pin({{0x0A, 0xFFFF}, {0x08, 2981}, {0x11, 0x21}, {0x9C, 5000}, {0x80, 3000}});
    const CliRun run = Cli({"get", "Batt_I", "BattTemp", "Charger_Spec_Info", "Out_5V", "I2C_Temp0", "Serial_Number"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Batt_I: -1\nBattTemp: 298.1\nCharger_Spec_Info: 0x0021\nOut_5V: 5000\nI2C_Temp0: 300.0\n"
              "Serial_Number: IXEN SIM V3.3   \n");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliLiveValues, GetWithoutNamesReadsWhatTheFirmwareOffers) {
    const CliRun ups18 = Cli({"get"});
    ASSERT_EQ(ups18.status, 0) << ups18.err;
    const std::vector<std::string> names = Names(ups18.out);
    ASSERT_EQ(names.size(), 41u);
    EXPECT_EQ(names.front(), "BattTemp");
    EXPECT_EQ(names[12], "I2C_Temp0");
    EXPECT_EQ(names[19], "I2C_Temp7");
    EXPECT_EQ(names[20], "TH_Temp");
    EXPECT_EQ(std::vector<std::string>(names.begin() + 29, names.end()),
              (std::vector<std::string>{"SU_SD_Cause", "I2C_Low_Alarms", "I2C_High_Alarms", "Active_EE",
                                        "EEprom_Data", "Out_5V", "Out_12V", "Out_3V", "I2C_Active_EE", "I2C_EEprom",
                                        "I2C_Function", "I2C_Function_Data"}));
    const std::regex line("[A-Za-z0-9_]+: (-?[0-9]+(\\.[0-9])?|0x[0-9A-F]{4}|IXEN SIM V3\\.3   )");
    std::istringstream lines(ups18.out);
    for (std::string text; std::getline(lines, text);) EXPECT_TRUE(std::regex_match(text, line)) << text;

    ixsim::PtyBoard standard(Firmware(0));
    const CliRun run = Cli({"--firmware", "0", "get"}, &standard);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> standardNames = Names(run.out);
    ASSERT_EQ(standardNames.size(), 12u + 16u + 12u);
    EXPECT_EQ(standardNames[27], "I2C_Temp15");
    EXPECT_EQ(standardNames.back(), "EEprom_Data");
}

TEST_F(CliLiveValues, UsageErrorsSendNothing) {
    ixsim::PtyBoard standard(Firmware(0));
    const struct {
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {{"get", "Batt_V", "Nope"}, "vantrel-cli: unknown value 'Nope' (see --help for the names)\n"},
        {{"get", "Charger_Mode"}, "vantrel-cli: Charger_Mode is written only; its console never reads it\n"},
        {{"--firmware", "0", "get", "Out_5V"}, "vantrel-cli: Out_5V is not offered by Standard firmware\n"},
        {{"--firmware", "0", "set", "I2C_Function=0x0001"},
         "vantrel-cli: I2C_Function is not offered by Standard firmware\n"},
        {{"get", "I2C_Temp8"}, "vantrel-cli: I2C_Temp8 is not offered by UPS18 firmware\n"},
        {{"set", "Batt_V=3"}, "vantrel-cli: Batt_V is read-only\n"},
        {{"set", "Charge_Cycle"}, "vantrel-cli: expected NAME=VALUE, got 'Charge_Cycle'\n"},
        {{"set", "Charge_Cycle=4", "Charger_Mode=0x0004", "Alarm_Warning=0x04", "Charging_Current=-1",
          "I2C_Function=zz"},
         "vantrel-cli: Charge_Cycle=4: Please enter an integer between 0 and 3.\n"
         "vantrel-cli: Alarm_Warning=0x04: Error: Hex input must be of the form:\n0xYYYY or xYYYY or YYYY\n"
         "Where Y is 0-9 or A-F or a-f\n"
         "vantrel-cli: Charging_Current=-1: Please enter an integer between 0 and 65535.\n"
         "vantrel-cli: I2C_Function=zz: Error: Hex input must be of the form:\n0xYYYY or xYYYY or YYYY\n"
         "Where Y is 0-9 or A-F or a-f\n"},
        {{"rtc", "set", "--startup", "31/02/2001 00:00:00"},
         "vantrel-cli: --startup takes a local time DD/MM/YYYY HH:MM:SS, got '31/02/2001 00:00:00'\n"},
        {{"rtc", "set", "--delay", "70000"},
         "vantrel-cli: --delay 70000: Please enter an integer between 0 and 65535.\n"},
        {{"rtc", "set", "--when", "now"}, "vantrel-cli: unknown rtc set option '--when'\n"},
        {{"--firmware", "0", "rtc", "read"},
         "vantrel-cli: the realtime clock is offered only by UPS18 firmware (--firmware 2)\n"},
    };
    for (const auto& row : rows) {
        const bool standardBoard = row.args[0] == "--firmware";
        const CliRun run = Cli(row.args, standardBoard ? &standard : nullptr);
        EXPECT_EQ(run.status, 64) << row.args.back();
        EXPECT_EQ(run.out, "") << row.args.back();
        EXPECT_EQ(run.err.substr(0, run.err.find("usage:")), row.message) << row.args.back();
    }
    EXPECT_EQ(BytesReceived(board), 0u);
    EXPECT_EQ(BytesReceived(standard), 0u);
}

TEST_F(CliLiveValues, SetWritesInTheOrderGiven) {
    const CliRun run = Cli({"set", "Active_EE=0x0110", "EEprom_Data=beef", "Charge_Cycle=2", "Charger_Mode=X0001",
                            "I2C_Function=0x12", "I2C_Function_Data=65535"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    std::array<uint8_t, 256> eeprom{};
    board.WithBoard([&](ixsim::Board& b) { eeprom = b.eeprom; });
    EXPECT_EQ(eeprom[0x10], 0xEF);  // the location went first, so the value landed there
    EXPECT_EQ(eeprom[0x11], 0xBE);
    EXPECT_EQ(Register(0x95), 2);
    EXPECT_EQ(Register(0x12), 1);
    EXPECT_EQ(Register(0xA5), 0x12);
    EXPECT_EQ(Register(0xA6), 0xFFFF);

    const CliRun back = Cli({"get", "I2C_Function", "I2C_Function_Data", "Charge_Cycle"});
    EXPECT_EQ(back.out, "I2C_Function: 0x0012\nI2C_Function_Data: 65535\nCharge_Cycle: 2\n");
}

TEST_F(CliLiveValues, AFailedLineIsNamedAndTheOthersGoOn) {
    ixsim::BoardOptions options = Firmware(2);
    options.faults.failCommand = 0x09;
    ixsim::PtyBoard failing(options);
    failing.WithBoard([](ixsim::Board& b) { b.SetRegister(0x08, 2981); });
    const CliRun run = Cli({"get", "Batt_V", "BattTemp"}, &failing);
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.out, "BattTemp: 298.1\n");
    EXPECT_EQ(run.err, "vantrel-cli: Batt_V: result 3 (wrong checksum)\n");

    ixsim::BoardOptions quiet = Firmware(2);
    quiet.faults.silent = true;
    ixsim::PtyBoard silent(quiet);
    const CliRun stopped = Cli({"get", "Batt_V", "BattTemp"}, &silent);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err, "vantrel-cli: Batt_V: result 1 (the link could not be synchronised)\n");
}

TEST_F(CliLiveValues, RtcReadShowsTheClockAsTheConsoleDoes) {
    ZoneGuard zone("UTC0");
    Pin({{0xB1, 0}, {0xB0, 3600}, {0xB3, 0x0001}, {0xB2, 0x5180}, {0xB5, 0}, {0xB4, 0}});
    board.WithBoard([](ixsim::Board& b) {
        b.eeprom[0xEE] = 0x2C;
        b.eeprom[0xEF] = 0x01;
    });
    const CliRun run = Cli({"rtc", "read"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Current Local Time: 01/01/2001 09:00:00\n"
              "Current UTC Time: 01/01/2001 09:00:00\n"
              "RTC Startup Time: 02/01/2001 08:00:00\n"
              "RTC Shutdown Time: 01/01/2001 08:00:00\n"
              "RTC Shutdown Delay: 300\n");
}

TEST_F(CliLiveValues, RtcSetReplacesOnlyTheValuesGiven) {
    ZoneGuard zone("PST8");
    Pin({{0xB5, 0x0002}, {0xB4, 0x0003}});
    const CliRun run = Cli({"rtc", "set", "--startup", "01/01/2001 00:00:00", "--delay", "77"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Register(0xB3), 0x0000);
    EXPECT_EQ(Register(0xB2), 0x7080);  // 28800: midnight in UTC-8
    EXPECT_EQ(Register(0xB5), 0x0002);
    EXPECT_EQ(Register(0xB4), 0x0003);
    std::array<uint8_t, 256> eeprom{};
    board.WithBoard([&](ixsim::Board& b) { eeprom = b.eeprom; });
    EXPECT_EQ(eeprom[0xEE], 77);
    EXPECT_EQ(eeprom[0xEF], 0);
}

}  // namespace
}  // namespace vantrel
