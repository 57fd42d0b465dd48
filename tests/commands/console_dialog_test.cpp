#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "scripted_board.h"
#include "tests/app/app_harness.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/commands/qt/console_dialog.h"
#include "vantrel/commands/qt/debug_command_dialog.h"
#include "vantrel/commands/qt/realtime_clock_dialog.h"
#include "vantrel/app/qt_modeless_window.h"
#include "zone_guard.h"

namespace vantrel {
namespace {

using testing_support::RecordingMessages;
using testing_support::ScriptedBoard;
using testing_support::ZoneGuard;

class ConsoleWindows : public testing::Test {
protected:
    ConsoleDialogContext Context() {
        return {writeEnable, [this] { return firmwareType; }};
    }
    static std::string Text(const QLabel* label) { return label->text().toStdString(); }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->clear();
        edit->insert(text);  // as typed: textEdited reaches the console
    }

    ScriptedBoard board;
    BoardCommandTable commands;
    int32_t busy = 0;
    RecordingMessages messages;
    int32_t polling = 0;
    ConsoleEnableFlags flags;
    CommandConsoles consoles{{board, commands, busy, messages, polling, nullptr}, flags};
    int32_t writeEnable = 1;
    FirmwareType firmwareType = FirmwareType::UPS18;
};

TEST_F(ConsoleWindows, SmbusConsoleShowsItsLinesAndMovesThem) {
    ConsoleDialog dialog(consoles.smbus, Context());
    dialog.show();
    QtRowTableView& view = dialog.View();
    EXPECT_EQ(dialog.windowTitle(), "SMBus Command Functions");
    ASSERT_EQ(view.RowCount(), 13);
    EXPECT_EQ(Text(view.Description(0)), " Battery Temperature");
    EXPECT_EQ(Text(view.UnitLabel(2)), "-32768..32767 / mA");
    EXPECT_EQ(view.Edit(5)->text(), "0x0000");
    EXPECT_EQ(view.Edit(12)->text(), "      ");
    EXPECT_TRUE(view.Edit(0)->isReadOnly());
    EXPECT_FALSE(view.Edit(6)->isReadOnly());
    EXPECT_NE(view.Edit(8)->validator(), nullptr);  // setpoints take digits only
    EXPECT_EQ(view.Edit(6)->validator(), nullptr);
    EXPECT_EQ(view.Button(ConsoleDialog::kRead)->text(), "&Read");

    board.registers = {{0x08, 2981}, {0x12, 0}};
    view.EnableBoxWidget(0)->click();
    view.EnableBoxWidget(6)->click();
    EXPECT_EQ(flags.smbus[0], 1);
    view.Button(ConsoleDialog::kRead)->click();
    EXPECT_EQ(view.Edit(0)->text(), "298.1");
    Type(view.Edit(6), "x0004");
    view.Button(ConsoleDialog::kWrite)->click();
    EXPECT_EQ(board.registers[0x12], 4);

    // A refused entry keeps the dialog open on Close.
    Type(view.Edit(6), "4");
    view.Button(ConsoleDialog::kClose)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.shown, std::vector<std::string>{kHexEntryMessage});
    Type(view.Edit(6), "0004");
    view.Button(ConsoleDialog::kClose)->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ConsoleWindows, BoxesFollowPollingAndTheWriteEnableFlag) {
    writeEnable = 0;
    ConsoleDialog dialog(consoles.smbus, Context());
    dialog.show();
    QtRowTableView& view = dialog.View();
    EXPECT_FALSE(view.Button(ConsoleDialog::kWrite)->isEnabled());
    polling = 1;
    view.EnableBoxWidget(3)->click();
    EXPECT_FALSE(view.EnableBox(3));
    EXPECT_EQ(flags.smbus[3], 0);
    consoles.smbus.SetCheckBoxesEnabled(false);
    EXPECT_FALSE(view.EnableBoxWidget(3)->isEnabled());
    consoles.smbus.ForceGraphLines();
    EXPECT_TRUE(view.EnableBox(0) && view.EnableBox(1) && view.EnableBox(2));
}

TEST_F(ConsoleWindows, OtherConsoleShowsTheSupplyLinesAsFuture) {
    firmwareType = FirmwareType::Standard;
    flags.other[0] = 1;
    ConsoleDialog dialog(consoles.other, Context());
    consoles.other.SetFlag(12, true);
    dialog.show();
    QtRowTableView& view = dialog.View();
    ASSERT_EQ(view.RowCount(), 16);
    // Below the last line, one more "future" row that is never shown.
    EXPECT_EQ(dialog.LineOf(15), -1);
    EXPECT_EQ(view.EnableBoxWidget(15)->text(), "future");
    EXPECT_FALSE(view.EnableBoxWidget(15)->isVisible());
    EXPECT_FALSE(view.Edit(15)->isVisible());
    EXPECT_TRUE(view.Edit(14)->isVisible());
    EXPECT_EQ(dialog.LineOf(2), 12);
    EXPECT_EQ(Text(view.Description(2)), " 5-Volt Output Voltage");
    EXPECT_EQ(view.EnableBoxWidget(2)->text(), "future");
    EXPECT_FALSE(view.Edit(2)->isEnabled());
    EXPECT_FALSE(view.EnableBox(2));
    EXPECT_FALSE(consoles.other.Enabled(12));
    EXPECT_TRUE(view.EnableBox(0));
    EXPECT_EQ(Text(view.Description(5)), " Input Current");
}

TEST_F(ConsoleWindows, I2cConsoleHasItsOwnHeadingsAndFutureRows) {
    ConsoleDialog dialog(consoles.i2c, Context());
    dialog.show();
    QtRowTableView& view = dialog.View();
    ASSERT_EQ(view.RowCount(), 11);
    EXPECT_EQ(dialog.windowTitle(), "I2C Commands");
    EXPECT_EQ(view.Progress()->maximum(), 9);
    EXPECT_EQ(view.Progress()->value(), 1);
    for (int row = 6; row < 11; ++row) {
        EXPECT_FALSE(view.EnableBoxWidget(row)->isEnabled());
        EXPECT_EQ(view.EnableBoxWidget(row)->text(), "future");
    }
    for (int row = 1; row < 6; ++row) view.EnableBoxWidget(row)->click();  // only the first line stays on
    board.registers = {{0x9A, 0xA5}};
    view.Button(ConsoleDialog::kRead)->click();
    EXPECT_EQ(view.Edit(0)->text(), "0X00A5");
    EXPECT_EQ(board.calls.size(), 1u);
    Type(view.Edit(5), "70000");  // not validated by Close
    view.Button(ConsoleDialog::kClose)->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ConsoleWindows, ClockWindowWritesWhatItShows) {
    ZoneGuard zone("UTC0");
    RealtimeClockConsole& clock = consoles.clock;
    clock.zoneWest = 0;
    RealtimeClockDialog dialog(clock, Context());
    dialog.show();
    EXPECT_EQ(clock.rtcEnable, 1);
    EXPECT_EQ(dialog.Row(RealtimeClockConsole::kStartup).date->date(), QDate(2001, 1, 2));
    EXPECT_FALSE(dialog.Row(RealtimeClockConsole::kCurrentUtc).hour->isEnabled());
    const auto& current = dialog.Row(RealtimeClockConsole::kCurrentLocal);
    current.date->setDate(QDate(2001, 1, 1));
    current.hour->setText("09");
    current.minute->setText("00");
    current.second->setText("00");
    dialog.Delay()->setText("30");
    dialog.WriteButton()->click();
    EXPECT_EQ(board.registers[0xB1], 0);
    EXPECT_EQ(board.registers[0xB0], 3600);
    EXPECT_EQ(board.registers[0xA1], 30);
    EXPECT_EQ(dialog.Row(RealtimeClockConsole::kCurrentUtc).hour->text(), "09");

    board.registers[0xB0] = 7200;
    dialog.ReadButton()->click();
    EXPECT_EQ(current.hour->text(), "10");
    EXPECT_EQ(dialog.Progress()->value(), dialog.Progress()->minimum());
}

TEST_F(ConsoleWindows, DebugWindowShowsTheAnswer) {
    consoles.debug.pauseMs = 0;
    DebugCommandDialog dialog(consoles.debug);
    EXPECT_EQ(dialog.CommandField()->text(), "0x00");
    EXPECT_EQ(dialog.WordField()->text(), "0x0000");
    board.registers = {{0x3E, 0x0332}};
    dialog.CommandField()->setText("3E");
    dialog.ReadButton()->click();
    EXPECT_EQ(dialog.WordField()->text(), "0x0332");
}

// The menu opens the consoles against the simulated board.
TEST(ConsoleMenu, CommandItemsOpenWorkingConsoles) {
    HarnessOptions options;
    options.serialBoard = ixsim::BoardOptions{};
    options.serialBoard->byteTimeoutMs = 10000;
    AppHarness h(options);
    ASSERT_EQ(h.link->Open(1, 9600), 1);
    h.record->connected = 1;
    h.record->enableFlags.smbus[1] = 1;
    h.serialBoard->WithBoard([](ixsim::Board& b) { b.SetRegister(0x09, 12345); });

    EXPECT_FALSE(h.app->ClockOrI2cConsoleOpen());
    ASSERT_TRUE(h.app->Execute(MenuCommand::CommandSmbus));
    auto* smbus = ModelessWidget<ConsoleDialog>(h.app->Slot(ModelessDialog::SmbusConsole));
    ASSERT_NE(smbus, nullptr);
    EXPECT_TRUE(smbus->isVisible());
    EXPECT_TRUE(smbus->View().EnableBox(1));
    smbus->View().Button(ConsoleDialog::kRead)->click();
    EXPECT_EQ(smbus->View().Edit(1)->text(), "12345");
    EXPECT_EQ(h.app->Consoles().smbus.LogText(1), "12345");
    EXPECT_TRUE(h.prompter.messages.empty());

    for (auto [command, dialog] : {std::pair{MenuCommand::CommandTemperature, ModelessDialog::TemperatureConsole},
                                   std::pair{MenuCommand::CommandOther, ModelessDialog::OtherConsole},
                                   std::pair{MenuCommand::CommandI2c, ModelessDialog::I2cConsole},
                                   std::pair{MenuCommand::CommandRealtimeClock, ModelessDialog::RealtimeClock},
                                   std::pair{MenuCommand::ToolsDebugCommand, ModelessDialog::DebugCommand}}) {
        ASSERT_TRUE(h.app->Execute(command));
        auto* window = dynamic_cast<QtModelessWindow*>(h.app->Slot(dialog).Window());
        ASSERT_NE(window, nullptr) << static_cast<int>(dialog);
        EXPECT_TRUE(window->Widget()->isVisible());
    }
    EXPECT_FALSE(h.app->Execute(MenuCommand::CommandMemory));
    EXPECT_TRUE(h.app->ClockOrI2cConsoleOpen());
}

}  // namespace
}  // namespace vantrel
