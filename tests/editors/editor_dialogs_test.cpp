#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "sim/pty_board.h"
#include "tests/app/scripted_prompter.h"
#include "tests/support/temp_folder.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/vantrel_app.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/editors/model/cycle_editor.h"
#include "vantrel/editors/model/setpoints_editor.h"
#include "vantrel/editors/model/temperature_editors.h"
#include "vantrel/editors/qt/editor_dialog.h"
#include "vantrel/editors/qt/install_editors.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

// Types text over an edit's content as a user does.
void Retype(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The Vantrel shell with its editors, a scripted prompter and a connected flag.
class EditorShell : public ::testing::Test {
protected:
    EditorShell() {
        app.Attach(link, record, &prompter);
        InstallEditors(app, record);
        record.connected = 1;
    }
    ~EditorShell() override { EditorModalRunner() = [](RowTableDialog& dialog) { dialog.exec(); }; }

    EditorDialog* Dialog(ModelessDialog dialog) { return ModelessWidget<EditorDialog>(app.Slot(dialog)); }
    QtRowTableView& View(ModelessDialog dialog) { return Dialog(dialog)->View(); }

    ixen_testing::TempFolder folder;
    ScriptedPrompter prompter;
    VantrelApp app;
    CBoardLink link;
    CConfigData record{link, folder.File("Vantrel.ini")};
};

TEST_F(EditorShell, EveryEepromItemOpensItsEditor) {
    const std::pair<MenuCommand, const char*> items[] = {
        {MenuCommand::EepromCycle1, "Cycle 1"},
        {MenuCommand::EepromCycle4, "Cycle 4"},
        {MenuCommand::EepromTemperature, "Temperature Sensor Control"},
        {MenuCommand::EepromSetpoints, "EEprom Setpoints"},
        {MenuCommand::EepromUpdateAll, "Update All"},
    };
    for (const auto& [command, caption] : items) {
        ASSERT_TRUE(app.Execute(command)) << caption;
        auto* dialog = Dialog(*ModelessDialogOf(command));
        ASSERT_NE(dialog, nullptr) << caption;
        EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
        EXPECT_TRUE(dialog->isVisible());
    }
    link.settings.FirmwareType = FirmwareType::UPS;
    ASSERT_TRUE(app.Execute(MenuCommand::EepromUpsCounters));
    EXPECT_EQ(Dialog(ModelessDialog::UpsSettings)->windowTitle(), "UPS Settings");
    EXPECT_EQ(record.openDialogs.upsSettings, 1);
}

TEST_F(EditorShell, CycleDialogFollowsTheWindowPolicy) {
    record.cycles[1].maxChargingVoltage = 14400;
    app.Execute(MenuCommand::EepromCycle2);
    QtRowTableView& view = View(ModelessDialog::Cycle2);
    EXPECT_EQ(view.RowText(3), "14400");
    QTest::keyClick(view.Edit(3), Qt::Key_Backspace);
    EXPECT_EQ(record.cycles[1].maxChargingVoltage, 1440);  // typing saves at once

    // "&Close" hides; the menu shows the same window again without reloading.
    record.cycles[1].maxChargingVoltage = 9;
    view.Button(TableEditor::kCloseButton)->click();
    EXPECT_FALSE(Dialog(ModelessDialog::Cycle2)->isVisible());
    EXPECT_EQ(record.cycles[1].maxChargingVoltage, 1440);
    record.cycles[1].maxChargingVoltage = 9;
    EditorDialog* first = Dialog(ModelessDialog::Cycle2);
    app.Execute(MenuCommand::EepromCycle2);
    EXPECT_EQ(Dialog(ModelessDialog::Cycle2), first);
    EXPECT_EQ(first->View().RowText(3), "1440");

    // Escape saves, hides and clears the open flag: the next choice builds it afresh.
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_EQ(record.openDialogs.cycle[1], 0);
    EXPECT_EQ(record.cycles[1].maxChargingVoltage, 1440);
    record.cycles[1].maxChargingVoltage = 77;
    app.Execute(MenuCommand::EepromCycle2);
    EXPECT_EQ(View(ModelessDialog::Cycle2).RowText(3), "77");
}

TEST_F(EditorShell, CloseWithABadFieldStaysOpenWithItsMessage) {
    app.Execute(MenuCommand::EepromCycle1);
    QtRowTableView& view = View(ModelessDialog::Cycle1);
    Retype(view.Edit(CycleEditor::kRateRow), "6553.6");
    EXPECT_EQ(prompter.Texts().back(), "Please enter a number between 0 and 6553.5.");
    view.Button(TableEditor::kCloseButton)->click();
    EXPECT_TRUE(Dialog(ModelessDialog::Cycle1)->isVisible());
    EXPECT_EQ(record.cycles[0].maxTemperatureRate, 6553);  // the last text that passed
}

TEST_F(EditorShell, FileOpenReloadsOnlyOpenEditors) {
    app.Execute(MenuCommand::EepromSetpoints);
    app.Execute(MenuCommand::EepromCycle3);
    QTest::keyClick(Dialog(ModelessDialog::Cycle3), Qt::Key_Escape);  // Cycle 3 no longer open
    record.maxInputPower = 321;
    record.cycles[2].maxCycleTime = 45;
    app.editors.ReloadFromRecord();
    EXPECT_EQ(View(ModelessDialog::EepromSetpoints).RowText(3), "321");
    EXPECT_EQ(View(ModelessDialog::Cycle3).RowText(6), "0");
}

TEST_F(EditorShell, ChTermOpensTheTerminationFlagsModally) {
    record.cycles[0].terminationFlags = 0x1000;
    app.Execute(MenuCommand::EepromCycle1);
    std::string caption;
    EditorModalRunner() = [&](RowTableDialog& dialog) {
        caption = dialog.windowTitle().toStdString();
        EXPECT_TRUE(dialog.View().Check(12)->isChecked());
        EXPECT_FALSE(dialog.View().Check(14)->isEnabled());
        dialog.View().Check(3)->click();
        dialog.View().Button(0)->click();
    };
    View(ModelessDialog::Cycle1).RowButton(CycleEditor::kTerminationRow)->click();
    EXPECT_EQ(caption, "Cycle 1 - Charge Termination");
    EXPECT_EQ(record.cycles[0].terminationFlags, 0x1008);
}

TEST_F(EditorShell, SensorEditorEscapeWithABadFieldStaysOpen) {
    app.Execute(MenuCommand::EepromTemperature);
    bool stayedOpen = false;
    EditorModalRunner() = [&](RowTableDialog& dialog) {
        dialog.show();
        QLineEdit* address = dialog.View().Edit(SensorEditor::kAddressRow);
        Retype(address, "128");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        stayedOpen = dialog.isVisible() && dialog.result() == 0;
        Retype(address, "1");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    };
    View(ModelessDialog::TemperatureSensorControl).RowButton(4)->click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Please enter an integer between 0 and 127."});
    EXPECT_EQ(record.slots[4].words[0], 0x0200);
}

TEST_F(EditorShell, AFirmwareChangeReachesOpenEditorsWithoutReloading) {
    link.settings.FirmwareType = FirmwareType::Standard;
    app.Execute(MenuCommand::EepromSetpoints);
    QtRowTableView& view = View(ModelessDialog::EepromSetpoints);
    EXPECT_EQ(view.UnitLabel(SetpointsEditor::kPrimaryRow)->text(), "0..16");
    record.maxInputPower = 5;
    link.settings.FirmwareType = FirmwareType::UPS18;
    app.editors.LinkSetupChanged();
    EXPECT_EQ(view.UnitLabel(SetpointsEditor::kPrimaryRow)->text(), "0..8");
    EXPECT_TRUE(view.RowButton(SetpointsEditor::kExtendedFlagsRow)->isEnabled());
    EXPECT_EQ(view.RowText(3), "0");
}

TEST_F(EditorShell, PowerOnResetAsksFirstAndRefusesWhileBusy) {
    prompter.answers = {false, true};
    record.CommBusy = 1;
    app.Execute(MenuCommand::EepromPowerOnReset);
    EXPECT_TRUE(prompter.Texts().empty());
    app.Execute(MenuCommand::EepromPowerOnReset);
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{texts::kCpuResetQuestion, texts::kCpuResetQuestion}));
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{texts::kCommunicationsInProgress});
    EXPECT_EQ(record.CommBusy, 1);
}

TEST_F(EditorShell, WriteIsEnabledOnlyWithTheWriteEnableFlag) {
    record.writeEnableFlag = 0;
    app.Execute(MenuCommand::EepromUpdateAll);
    app.Execute(MenuCommand::EepromSetpoints);
    EXPECT_FALSE(View(ModelessDialog::UpdateAll).Button(TableEditor::kWriteButton)->isEnabled());
    EXPECT_FALSE(View(ModelessDialog::EepromSetpoints).Button(TableEditor::kWriteButton)->isEnabled());
    EXPECT_EQ(View(ModelessDialog::UpdateAll).Progress()->maximum(), 117);
}

// Read and Write through the real serial link against the simulated board.
TEST_F(EditorShell, SetpointsWriteThenReadAgainstTheSimulator) {
    ixsim::PtyBoard board{ixsim::BoardOptions{}};
    link.SetComDevice(1, board.Path());
    ASSERT_TRUE(link.Open(1, 9600));
    app.Execute(MenuCommand::EepromSetpoints);
    QtRowTableView& view = View(ModelessDialog::EepromSetpoints);
    Retype(view.Edit(6), "273.2");
    Retype(view.Edit(13), "5000");
    view.Button(TableEditor::kWriteButton)->click();
    EXPECT_TRUE(prompter.Texts().empty());
    uint8_t low = 0;
    uint8_t capacity = 0;
    board.WithBoard([&](ixsim::Board& b) {
        low = b.eeprom[0x8A];
        capacity = b.eeprom[0xFA];
    });
    EXPECT_EQ(low, 2732 & 0xFF);
    EXPECT_EQ(capacity, 5000 & 0xFF);

    record.minChargingTemperature = 0;
    record.maxBatteryCapacity = 0;
    view.Button(TableEditor::kReadButton)->click();
    EXPECT_EQ(record.maxBatteryCapacity, 5000);
    EXPECT_EQ(view.RowText(6), "273.2");
    EXPECT_EQ(view.Progress()->value(), 1);
    EXPECT_EQ(record.CommBusy, 0);

    // A board that stopped answering: one failure message, the record's values shown.
    board.Stop();
    view.Button(TableEditor::kReadButton)->click();
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{texts::kUploadFailed});
    EXPECT_EQ(view.RowText(13), "5000");
    EXPECT_EQ(record.CommBusy, 0);
}

TEST_F(EditorShell, UpdateAllWriteAsksForTheCpuReset) {
    ixsim::PtyBoard board{ixsim::BoardOptions{}};
    link.SetComDevice(1, board.Path());
    ASSERT_TRUE(link.Open(1, 9600));
    record.cycles[3].maxTrickleTime = 600;
    app.Execute(MenuCommand::EepromUpdateAll);
    prompter.answers.push_back(false);
    View(ModelessDialog::UpdateAll).Button(TableEditor::kWriteButton)->click();
    EXPECT_EQ(prompter.questions, std::vector<std::string>{texts::kCpuResetQuestion});
    uint16_t trickle = 0;
    board.WithBoard([&](ixsim::Board& b) { trickle = static_cast<uint16_t>(b.eeprom[0x7E] | b.eeprom[0x7F] << 8); });
    EXPECT_EQ(trickle, 600);
}

}  // namespace
}  // namespace vantrel
