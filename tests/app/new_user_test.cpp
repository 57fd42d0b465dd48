// What a new user meets with `vantrel --simulate`: the boards it starts, fresh
// from power-up, answer every setup route taken with its default choices.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "app_harness.h"
#include "vantrel/app/advanced_setup_dialog.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/setup_messages.h"
#include "vantrel/sim_bridge/simulated_board.h"

using namespace vantrel;

namespace {

class NewUser : public testing::TestWithParam<FirmwareType> {};

std::string FirmwareName(const testing::TestParamInfo<FirmwareType>& board) {
    static const char* const names[] = {"Standard", "Ups", "Ups18"};
    return names[static_cast<int>(board.param)];
}

}  // namespace

// Init > Setup, Next (UPS16 preselected), Next (IXEN104 preselected), OK, then Autoselect as told.
TEST_P(NewUser, SetupWithItsDefaultsFindsThePc104Board) {
    HarnessOptions options;
    options.serialBoard = PowerUpSerialBoard(GetParam());
    options.pc104Board = PowerUpPc104Board(GetParam());
    AppHarness h(options);
    h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnNext(); };
    h.runner->deviceType = [](DeviceTypeDialog& d) { d.OnNext(); };
    h.runner->pc104 = [](Pc104SettingsDialog& d) {
        d.OnOk();
        d.OnAutoselect();
        d.OnCancel();
    };
    EXPECT_TRUE(h.app->Execute(MenuCommand::InitSetup));
    EXPECT_EQ(h.prompter.Texts(),
              (std::vector<std::string>{kUsePc104Autoselect, "Communications established on PC104 300"}));
    EXPECT_EQ(h.record->connected, 1);
}

// Init > Setup with a serial device: COM Port Selection's OK on COM 1.
TEST_P(NewUser, SetupOfASerialDeviceConnectsOnOk) {
    HarnessOptions options;
    options.serialBoard = PowerUpSerialBoard(GetParam());
    AppHarness h(options);
    h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnNext(); };
    h.runner->deviceType = [](DeviceTypeDialog& d) {
        d.ChooseRow(3);  // IXEN-SER
        d.OnNext();
    };
    h.runner->comPort = [](ComPortSelectionDialog& d) { d.OnOk(); };
    h.app->Execute(MenuCommand::InitSetup);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
    EXPECT_EQ(h.record->connected, 1);
    EXPECT_EQ(h.link->settings.LinkProtocol, 2);
}

// Quick Connect, also after a Setup that changed the firmware choice to UPS16.
TEST_P(NewUser, QuickConnectFindsTheSerialBoard) {
    HarnessOptions options;
    options.serialBoard = PowerUpSerialBoard(GetParam());
    AppHarness h(options);
    for (FirmwareType firmwareType : {FirmwareType::UPS18, FirmwareType::UPS}) {
        h.prompter.messages.clear();
        h.link->settings.FirmwareType = firmwareType;
        h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnQuickConnect(); };
        h.app->Execute(MenuCommand::InitSetup);
        EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{EstablishedOnCom(1)}) << static_cast<int>(firmwareType);
        EXPECT_EQ(h.record->connected, 1);
    }
}

// Init > Debug Setup, then Auto Select from where the port scan left it (COM 8).
TEST_P(NewUser, AdvancedSetupAutoSelectFindsABoard) {
    HarnessOptions options;
    options.serialBoard = PowerUpSerialBoard(GetParam());
    options.pc104Board = PowerUpPc104Board(GetParam());
    AppHarness h(options);
    h.app->Execute(MenuCommand::InitDebugSetup);
    auto* d = ModelessWidget<AdvancedSetupDialog>(h.app->Slot(ModelessDialog::AdvancedSetup));
    ASSERT_NE(d, nullptr);
    d->OnAutoSelect();
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
}

INSTANTIATE_TEST_SUITE_P(BoardFirmware, NewUser,
                         testing::Values(FirmwareType::Standard, FirmwareType::UPS, FirmwareType::UPS18), FirmwareName);
