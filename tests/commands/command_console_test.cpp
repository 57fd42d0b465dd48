#include <gtest/gtest.h>

#include "scripted_board.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/message_texts.h"

namespace vantrel {
namespace {

using testing_support::RecordingMessages;
using testing_support::RecordingView;
using testing_support::ScriptedBoard;
using Strings = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

constexpr FirmwareType kStandard = FirmwareType::Standard;
constexpr FirmwareType kUps18 = FirmwareType::UPS18;

class Consoles : public testing::Test {
protected:
    Consoles() {
        for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other, &consoles.i2c}) {
            console->SetView(&view);
        }
        consoles.ApplyFirmwareType(kUps18);
    }

    void Enable(CommandConsole& console, std::initializer_list<int> lines) {
        for (int line : lines) console.SetFlag(line, true);
    }

    ScriptedBoard board;
    BoardCommandTable commands;
    int32_t busy = 0;
    RecordingMessages messages;
    int32_t polling = 0;
    char identification[17] = "IXEN SIM V3.3   ";
    ConsoleEnableFlags flags;
    CommandConsoles consoles{{board, commands, busy, messages, polling, identification}, flags};
    RecordingView view;
};

TEST_F(Consoles, ReadPassStoresDisplaysAndKeepsProgress) {
    CommandConsole& smbus = consoles.smbus;
    Enable(smbus, {0, 1, 2, 5, 12});
    board.registers = {{0x08, 2981}, {0x09, 0xFFFF}, {0x0A, 0xFFFF}, {0x11, 18}};

    EXPECT_EQ(smbus.ReadPass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0x08, 0x09, 0x0A, 0x11, 0x3F}));
    EXPECT_EQ(smbus.FieldText(0), "298.1");
    EXPECT_EQ(smbus.FieldText(1), "65535");
    EXPECT_EQ(smbus.FieldText(2), "-1");
    EXPECT_EQ(smbus.FieldText(5), "0x0012");
    EXPECT_EQ(smbus.FieldText(12), "      ");  // the serial number is the link's, not the field's
    EXPECT_EQ(smbus.LogText(12), "IXEN SIM V3.3   ");
    EXPECT_EQ(smbus.FieldText(3), "0");  // disabled lines keep their text
    EXPECT_EQ(view.events, (Strings{"range 1..5", "position 0", "position 0"}));
    EXPECT_EQ(view.steps, 5);
    EXPECT_EQ(busy, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Consoles, AFailureOnTheThirdOfFiveLinesKeepsTheFirstTwo) {
    CommandConsole& smbus = consoles.smbus;
    Enable(smbus, {0, 1, 2, 3, 4});
    smbus.SetValue(2, 7);
    board.registers = {{0x08, 3000}, {0x09, 12000}, {0x0A, 500}, {0x0B, 400}, {0x0F, 900}};
    board.result = [](std::size_t n) { return n == 2 ? 1 : 0; };

    EXPECT_EQ(smbus.ReadPass(), 1);
    EXPECT_EQ(board.calls.size(), 3u);
    EXPECT_EQ(messages.shown, Strings{texts::kUploadFailed});
    EXPECT_EQ(smbus.FieldText(0), "300");
    EXPECT_EQ(smbus.FieldText(1), "12000");
    EXPECT_EQ(smbus.FieldText(2), "7");
    EXPECT_EQ(smbus.Value(2), 7);
    EXPECT_EQ(view.steps, 2);
    EXPECT_EQ(view.events.back(), "position 0");
    EXPECT_EQ(busy, 0);
}

TEST_F(Consoles, ResultsTwoAndThreeGoOnAndKeepTheSlot) {
    CommandConsole& other = consoles.other;
    Enable(other, {0, 1, 2});
    other.SetValue(1, 42);
    board.registers = {{0x90, 1}, {0x91, 2}, {0x92, 3}};
    board.result = [](std::size_t n) { return n == 1 ? 3 : 0; };
    EXPECT_EQ(other.ReadPass(), 0);
    EXPECT_EQ(board.calls.size(), 3u);
    EXPECT_EQ(other.Value(0), 1);
    EXPECT_EQ(other.Value(1), 42);
    EXPECT_EQ(other.Value(2), 3);
    EXPECT_EQ(view.steps, 3);
}

TEST_F(Consoles, NoEnabledLineSendsNothingAndLeavesTheBarAlone) {
    for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other}) {
        EXPECT_EQ(console->ReadPass(), 0);
        EXPECT_EQ(console->WritePass(), 0);
    }
    EXPECT_TRUE(board.calls.empty());
    EXPECT_TRUE(view.events.empty());
    EXPECT_EQ(busy, 0);
}

TEST_F(Consoles, ChargerModeAloneIsWrittenButNeverRead) {
    CommandConsole& smbus = consoles.smbus;
    Enable(smbus, {6});
    EXPECT_EQ(smbus.ReadPass(), 0);
    EXPECT_TRUE(board.calls.empty());

    for (const char* text : {"0x0004", "x0004", "X0004", "0004"}) {
        board.calls.clear();
        view.events.clear();
        smbus.SetValue(6, 0);
        smbus.SetFieldText(6, text);
        EXPECT_EQ(smbus.WritePass(), 0) << text;
        ASSERT_EQ(board.calls.size(), 1u) << text;
        EXPECT_TRUE(board.calls[0].write);
        EXPECT_EQ(board.calls[0].command, 0x12);
        EXPECT_EQ(board.calls[0].word, 4) << text;
        EXPECT_EQ(view.events, (Strings{"range 1..2", "position 1", "position 0"}));
    }
    EXPECT_TRUE(messages.shown.empty());

    // Refused: the message, the focus, and the write goes on with the stored word.
    for (const char* text : {"0x04", "4"}) {
        board.calls.clear();
        messages.shown.clear();
        smbus.SetValue(6, 9);
        smbus.SetFieldText(6, text);
        EXPECT_EQ(smbus.WritePass(), 0) << text;
        EXPECT_EQ(messages.shown, Strings{kHexEntryMessage}) << text;
        EXPECT_EQ(view.focused, 6);
        ASSERT_EQ(board.calls.size(), 1u);
        EXPECT_EQ(board.calls[0].word, 9) << text;
        EXPECT_EQ(smbus.FieldText(6), text);
    }
    smbus.SetFieldText(6, "0x00004");
    messages.shown.clear();
    EXPECT_FALSE(smbus.ValidateFields());
    EXPECT_EQ(messages.shown, Strings{"Please enter no more than 6 characters."});
}

TEST_F(Consoles, WriteSendsTheEnabledLinesInOrder) {
    CommandConsole& smbus = consoles.smbus;
    Enable(smbus, {0, 10, 9, 8, 6});
    smbus.SetFieldText(6, "0x0001");
    smbus.SetFieldText(8, "2000");
    smbus.SetFieldText(9, "16800");
    smbus.SetFieldText(10, "abcd");
    EXPECT_EQ(smbus.WritePass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0x12, 0x14, 0x15, 0x16}));
    EXPECT_EQ(board.calls[1].word, 2000);
    EXPECT_EQ(board.calls[2].word, 16800);
    EXPECT_EQ(board.calls[3].word, 0xABCD);
    EXPECT_EQ(smbus.FieldText(10), "abcd");  // a write does not redisplay
    EXPECT_EQ(smbus.LogText(6), "0x0001");
}

TEST_F(Consoles, AnotherPassInProgressRefusesEverything) {
    Enable(consoles.smbus, {0, 6});
    Enable(consoles.other, {5});
    consoles.smbus.SetFieldText(6, "0x0004");
    busy = 1;
    for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other, &consoles.i2c}) {
        EXPECT_EQ(console->ReadPass(), 1);
        EXPECT_EQ(console->WritePass(), 1);
    }
    EXPECT_EQ(consoles.clock.ReadPass(), 1);
    EXPECT_TRUE(board.calls.empty());
    EXPECT_EQ(messages.shown, Strings(9, texts::kCommunicationsInProgress));
    EXPECT_EQ(consoles.smbus.Value(6), 0);
    EXPECT_EQ(busy, 1);
}

TEST_F(Consoles, OtherWriteSendsTheLocationBeforeTheValue) {
    CommandConsole& other = consoles.other;
    Enable(other, {10, 9, 7, 5, 0});
    other.SetFieldText(5, "2");
    other.SetFieldText(7, "45");
    other.SetFieldText(9, "0x0110");
    other.SetFieldText(10, "0xBEEF");
    EXPECT_EQ(other.WritePass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0x95, 0x97, 0xA0, 0xA1}));
    EXPECT_EQ(board.calls[2].word, 0x110);
    EXPECT_EQ(board.calls[3].word, 0xBEEF);

    other.SetFieldText(5, "4");
    messages.shown.clear();
    board.calls.clear();
    EXPECT_EQ(other.WritePass(), 0);
    EXPECT_EQ(messages.shown, Strings{"Please enter an integer between 0 and 3."});
    EXPECT_EQ(board.calls[0].word, 2);
}

TEST_F(Consoles, OtherReadOrderAndFirmwareLines) {
    CommandConsole& other = consoles.other;
    for (int line = 0; line < other.LineCount(); ++line) other.SetFlag(line, true);
    EXPECT_EQ(other.ReadPass(), 0);
    EXPECT_EQ(board.Commands(),
              (Bytes{0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0xA0, 0xA1, 0x99, 0x9C, 0x9D, 0x9E}));

    // Standard firmware: the supply lines are disabled and lose their flags,
    // the record's twelve flags stay.
    flags.other[11] = 1;
    consoles.ApplyFirmwareType(kStandard);
    for (int line : {12, 13, 14}) {
        EXPECT_FALSE(other.Offered(line));
        EXPECT_FALSE(other.Enabled(line));
        EXPECT_FALSE(other.BoxChecked(line));
        EXPECT_FALSE(other.ClickCheckBox(line, true));
    }
    EXPECT_TRUE(other.Enabled(11));
    consoles.ApplyFirmwareType(kUps18);
    EXPECT_FALSE(other.Enabled(12));
}

TEST_F(Consoles, TemperatureSensorsAndTheirWrite) {
    CommandConsole& temperature = consoles.temperature;
    Enable(temperature, {0, 3, 9});
    board.registers = {{0x80, 2981}, {0x83, 3000}, {0x89, 3100}};
    // UPS18 offers sensors 0 to 7 only: sensor 9 keeps its flag but is not read.
    EXPECT_EQ(temperature.ReadPass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0x80, 0x83}));
    EXPECT_EQ(temperature.FieldText(0), "298.1");
    EXPECT_EQ(temperature.LogText(3), "300.0");
    EXPECT_FALSE(temperature.BoxChecked(9));
    EXPECT_EQ(flags.temperature[9], 1);

    consoles.ApplyFirmwareType(kStandard);
    EXPECT_TRUE(temperature.BoxChecked(9));

    board.calls.clear();
    temperature.SetFieldText(0, "310.5");
    temperature.SetFieldText(3, "280.2");
    temperature.SetFieldText(1, "111");  // not enabled: not copied
    EXPECT_EQ(temperature.WritePass(), 0);
    EXPECT_TRUE(board.calls.empty());
    EXPECT_DOUBLE_EQ(temperature.Value(0), 310.5);
    EXPECT_DOUBLE_EQ(temperature.Value(3), 280.2);
    EXPECT_DOUBLE_EQ(temperature.Value(1), 0);
    EXPECT_EQ(busy, 0);
}

TEST_F(Consoles, I2cLinesMoveOnlyThemselvesAndPublishTheirFlags) {
    CommandConsole& i2c = consoles.i2c;
    flags.i2c = {0, 1};  // as the settings file left them
    for (int line = 0; line < i2c.LineCount(); ++line) {
        EXPECT_TRUE(i2c.BoxChecked(line));
        i2c.ClickCheckBox(line, line == 0);
    }
    EXPECT_TRUE(i2c.Enabled(1));  // a click alone does not change the line flags
    board.registers = {{0x9A, 0xA5}, {0x9B, 0x5A}};
    EXPECT_EQ(i2c.ReadPass(), 0);
    EXPECT_EQ(board.Commands(), Bytes{0x9A});
    EXPECT_EQ(i2c.FieldText(0), "0X00A5");
    EXPECT_EQ(i2c.FieldText(1), "0X0000");
    // Read published the flags it had (all on) before taking the boxes.
    EXPECT_EQ(flags.i2c, (std::array<int32_t, 2>{1, 1}));
    EXPECT_FALSE(i2c.Enabled(1));
    EXPECT_TRUE(consoles.LogColumnEnabled({ConsoleKind::I2c, 1}));

    board.calls.clear();
    i2c.SetFieldText(0, "0x12");
    i2c.SetFieldText(1, "0x34");
    EXPECT_EQ(i2c.WritePass(), 0);
    ASSERT_EQ(board.calls.size(), 1u);
    EXPECT_EQ(board.calls[0].command, 0x9A);
    EXPECT_EQ(board.calls[0].word, 0x12);
    EXPECT_EQ(flags.i2c, (std::array<int32_t, 2>{1, 0}));

    // Not hexadecimal: the value stays, without a message.
    board.calls.clear();
    i2c.SetFieldText(0, "zz");
    EXPECT_EQ(i2c.WritePass(), 0);
    EXPECT_EQ(board.calls[0].word, 0x12);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Consoles, CheckBoxesDuringPollingAndForcedGraphLines) {
    CommandConsole& smbus = consoles.smbus;
    EXPECT_TRUE(smbus.ClickCheckBox(4, true));
    EXPECT_EQ(flags.smbus[4], 1);
    polling = 1;
    EXPECT_TRUE(smbus.ClickCheckBox(4, false));
    EXPECT_FALSE(smbus.ClickCheckBox(5, true));
    EXPECT_EQ(flags.smbus[4], 1);
    EXPECT_EQ(flags.smbus[5], 0);
    smbus.SetCheckBoxesEnabled(false);
    EXPECT_FALSE(smbus.CheckBoxesEnabled());
    smbus.ForceGraphLines();
    EXPECT_EQ(flags.smbus, (std::array<int32_t, 13>{1, 1, 1, 0, 1}));
}

TEST_F(Consoles, PollLogColumnsAndNames) {
    std::string header;
    for (const ConsoleLineRef& ref : PollLogColumns()) header += consoles.Line(ref).logColumn + ", ";
    EXPECT_EQ(header.substr(0, 101),
              "BattTemp, Batt_V, Batt_I, Batt_I_Ave, Batt_Rem_Cap, Charger_Spec_Info, Charger_Mode, "
              "Charger_Status, ");
    EXPECT_NE(header.find("Version, Serial Number, I2C_Temp0, "), std::string::npos);
    EXPECT_NE(header.find("I2C_Temp15, TH_Temp, "), std::string::npos);
    EXPECT_NE(header.find("Power_Supply_Status, SU_SD_Cause, I2C_Low_Alarms, I2C_High_Alarms, Active_EE, "
                          "EEprom_Data, "),
              std::string::npos);
    EXPECT_EQ(PollLogColumns().size() + LinesWithoutColumn().size(), 13u + 16u + 15u + 6u);
    for (const ConsoleLineRef& ref : LinesWithoutColumn()) EXPECT_TRUE(consoles.Line(ref).logColumn.empty());

    EXPECT_EQ(consoles.Find("Serial_Number"), (ConsoleLineRef{ConsoleKind::Smbus, 12}));
    EXPECT_EQ(consoles.Find("I2C_Temp15"), (ConsoleLineRef{ConsoleKind::Temperature, 15}));
    EXPECT_EQ(consoles.Find("Out_3V"), (ConsoleLineRef{ConsoleKind::Other, 14}));
    EXPECT_EQ(consoles.Find("I2C_Function_Data"), (ConsoleLineRef{ConsoleKind::I2c, 5}));
    EXPECT_FALSE(consoles.Find("Batt_v").has_value());
    EXPECT_FALSE(CommandConsoles::Offers({ConsoleKind::I2c, 0}, kStandard));
    EXPECT_FALSE(CommandConsoles::Offers({ConsoleKind::Other, 12}, FirmwareType::UPS));
    EXPECT_TRUE(CommandConsoles::Offers({ConsoleKind::Temperature, 8}, kStandard));
    EXPECT_FALSE(CommandConsoles::Offers({ConsoleKind::Temperature, 8}, kUps18));
}

TEST_F(Consoles, UpdateAllRunsTheClockAndI2cConsolesThatExist) {
    consoles.clock.store = {1, 2, 3, 4};
    for (int line = 1; line < consoles.i2c.LineCount(); ++line) consoles.i2c.ClickCheckBox(line, false);
    consoles.i2c.SetFieldText(0, "0x0042");
    consoles.UpdateAllWrite(true, false);
    EXPECT_EQ(board.Commands(), (Bytes{0xA0, 0xA1, 0xB1, 0xB0, 0xB3, 0xB2, 0xB5, 0xB4}));
    EXPECT_EQ(board.calls[1].word, 4);
    EXPECT_EQ(board.calls[3].word, 1);
    board.calls.clear();
    consoles.UpdateAllWrite(false, true);
    ASSERT_EQ(board.Commands(), Bytes{0x9A});
    EXPECT_EQ(board.calls[0].word, 0x42);
    board.calls.clear();
    consoles.UpdateAllRead(true, true);
    EXPECT_EQ(board.Commands(), (Bytes{0xA0, 0xA1, 0xB3, 0xB2, 0xB5, 0xB4, 0x9A}));
    board.calls.clear();
    consoles.UpdateAllRead(false, false);
    EXPECT_TRUE(board.calls.empty());
    EXPECT_EQ(busy, 0);
}

TEST_F(Consoles, DebugCommandSendsWithoutLookingAtCommBusy) {
    DebugCommand& debug = consoles.debug;
    debug.SetView(&view);
    debug.pauseMs = 0;
    busy = 1;
    board.registers = {{0x3E, 0x0332}};
    debug.commandText = "0x3E";
    debug.Read();
    EXPECT_EQ(debug.wordText, "0x0332");
    EXPECT_EQ(view.events, (Strings{"range 1..2", "position 0", "position 1", "position 2", "position 0"}));
    debug.commandText = "97";
    debug.wordText = "0x001E";
    debug.Write();
    ASSERT_EQ(board.calls.size(), 2u);
    EXPECT_TRUE(board.calls[1].write);
    EXPECT_EQ(board.calls[1].command, 0x97);
    EXPECT_EQ(board.calls[1].word, 0x1E);
    debug.commandText = "0x123";
    debug.Write();
    EXPECT_EQ(messages.shown, Strings{"Please enter no more than 4 characters."});
    EXPECT_EQ(board.calls.size(), 2u);
    EXPECT_EQ(busy, 1);
}

}  // namespace
}  // namespace vantrel
