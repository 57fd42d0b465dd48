#include <gtest/gtest.h>

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app_harness.h"
#include "vantrel/app/advanced_setup_dialog.h"
#include "vantrel/app/main_window.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/setup_messages.h"

using namespace vantrel;

namespace {

AdvancedSetupDialog* OpenAdvancedSetup(AppHarness& h) {
    h.app->Execute(MenuCommand::InitDebugSetup);
    return ModelessWidget<AdvancedSetupDialog>(h.app->Slot(ModelessDialog::AdvancedSetup));
}

// (port, protocol) of every probe Auto Select makes, in order.
std::vector<std::pair<int, int>> RecordProbes(AdvancedSetupDialog& d) {
    std::vector<std::pair<int, int>> probes;
    auto previous = d.Model().changed;
    d.Model().changed = [&probes, &d, previous] {
        const AdvancedSetupModel& m = d.Model();
        if (m.checkedPort != 0 && m.checkedProtocol >= 0 && m.progress.value > m.progress.minimum)
            if (probes.empty() || probes.back() != std::pair{m.checkedPort, m.checkedProtocol})
                probes.push_back({m.checkedPort, m.checkedProtocol});
        if (previous) previous();
    };
    d.OnAutoSelect();
    d.Model().changed = previous;
    return probes;
}

}  // namespace

TEST(AdvancedSetup, FirstOpeningScansThePortsAndConnects) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(0);
    AppHarness h(options);
    h.link->settings.LinkProtocol = 7;
    h.link->settings.FirmwareType = static_cast<FirmwareType>(5);
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->PortButton(1)->isEnabled());
    for (int port = 2; port <= 8; ++port) EXPECT_FALSE(d->PortButton(port)->isEnabled()) << port;
    for (int port = 10; port <= 13; ++port) EXPECT_TRUE(d->PortButton(port)->isEnabled()) << port;
    EXPECT_EQ(h.link->settings.PortSelection, 8);
    EXPECT_TRUE(d->PortButton(8)->isChecked());
    EXPECT_EQ(h.link->settings.LinkProtocol, 2);
    EXPECT_TRUE(d->protocolButtons[2]->isChecked());
    EXPECT_EQ(h.link->settings.FirmwareType, FirmwareType::Standard);
    EXPECT_TRUE(d->firmwareButtons[0]->isChecked());
    EXPECT_TRUE(d->debugOffButton->isChecked());
    EXPECT_EQ(d->progressBar->minimum(), 1);
    EXPECT_EQ(d->progressBar->maximum(), 21);
    EXPECT_EQ(h.record->connected, 1);
    EXPECT_TRUE(h.app->Window().PollTimer().isActive());
}

TEST(AdvancedSetup, ReopeningShowsTheSameDialogAndKeepsConnectedAsItIs) {
    AppHarness h;
    AdvancedSetupDialog* first = OpenAdvancedSetup(h);
    first->OnPort(11);
    first->hide();
    h.record->connected = 0;
    AdvancedSetupDialog* again = OpenAdvancedSetup(h);
    EXPECT_EQ(first, again);
    EXPECT_TRUE(again->isVisible());
    EXPECT_TRUE(again->PortButton(11)->isChecked());
    EXPECT_EQ(h.link->settings.PortSelection, 11);  // no second scan
    EXPECT_EQ(h.record->connected, 0);
}

TEST(AdvancedSetup, AutoSelectFromCom8TriesItsProtocolsFirst) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(0);
    AppHarness h(options);
    h.link->SetComDevice(8, h.serialBoard->Path());
    h.link->SetComDevice(1, (h.dir.Path() / "missing-tty1").string());
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    ASSERT_TRUE(d->PortButton(8)->isEnabled());
    ASSERT_EQ(h.link->settings.PortSelection, 8);
    EXPECT_EQ(RecordProbes(*d), (std::vector<std::pair<int, int>>{{8, 2}, {8, 1}, {8, 0}}));
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
    EXPECT_TRUE(d->PortButton(8)->isChecked());
    EXPECT_TRUE(d->protocolButtons[0]->isChecked());
    EXPECT_EQ(d->progressBar->value(), 1);
    EXPECT_EQ(d->progressBar->maximum(), 22);
}

TEST(AdvancedSetup, AutoSelectGoesOnToThePc104Addresses) {
    HarnessOptions options;
    options.pc104Board = BoardWithProtocol(0);
    options.pc104Address = 0x360;
    AppHarness h(options);
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    ASSERT_EQ(h.link->settings.PortSelection, 8);  // COM8 cannot be opened: skipped
    const std::vector<std::pair<int, int>> expected = {{10, 1}, {10, 0}, {11, 1}, {11, 0},
                                                       {12, 1}, {12, 0}, {13, 1}, {13, 0}};
    EXPECT_EQ(RecordProbes(*d), expected);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
    EXPECT_EQ(h.link->settings.PortSelection, 13);
    EXPECT_EQ(h.link->settings.LinkProtocol, 0);
    const std::vector<std::pair<int, int>> bus = {{0x300, 1}, {0x300, 0}, {0x310, 1}, {0x310, 0},
                                                  {0x320, 1}, {0x320, 0}, {0x360, 1}, {0x360, 0}};
    EXPECT_EQ(h.bus->tried, bus);
}

TEST(AdvancedSetup, AutoSelectWithoutABoardGoesBackToCom1) {
    AppHarness h;
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    d->OnPort(12);
    RecordProbes(*d);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kNoCommunications});
    EXPECT_EQ(h.link->settings.PortSelection, 1);
    EXPECT_EQ(d->progressBar->value(), 1);
    for (int port : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13}) EXPECT_FALSE(d->PortButton(port)->isChecked()) << port;
}

TEST(AdvancedSetup, Pc104DisablesTheNoBusTimerProtocol) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(2);
    AppHarness h(options);
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    d->OnPort(1);
    d->OnProtocol(2);
    ASSERT_EQ(h.link->settings.LinkProtocol, 2);

    d->OnPort(10);
    EXPECT_EQ(h.link->settings.PortSelection, 10);
    EXPECT_EQ(h.link->settings.LinkProtocol, 1);
    EXPECT_FALSE(d->protocolButtons[2]->isEnabled());
    EXPECT_TRUE(d->protocolButtons[1]->isChecked());
    EXPECT_TRUE(h.link->IsOpen());  // a PC/104 choice leaves the serial port as it was

    d->OnPort(1);
    EXPECT_TRUE(d->protocolButtons[2]->isEnabled());
    EXPECT_EQ(h.link->settings.LinkProtocol, 1);
}

TEST(AdvancedSetup, ProtocolChangeNotifiesTheBoard) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(0);
    AppHarness h(options);
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    d->OnPort(1);
    h.link->settings.LinkProtocol = 0;
    d->OnProtocol(1);
    EXPECT_EQ(h.link->settings.LinkProtocol, 1);
    uint16_t notified = 0xFFFF;
    h.serialBoard->WithBoard([&](ixsim::Board& b) { notified = b.Register(0x00); });
    EXPECT_EQ(notified, 1);  // written with the protocol still in force
}

TEST(AdvancedSetup, OsprenForcesUps18AndApplyUsesTheOtherAddresses) {
    AppHarness h;
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    d->OnFirmware(1);
    ASSERT_EQ(h.link->settings.FirmwareType, FirmwareType::UPS);

    d->osprenBox->click();
    EXPECT_EQ(h.link->settings.SelectorAddressing, 1);
    EXPECT_EQ(h.link->settings.FirmwareType, FirmwareType::UPS18);
    EXPECT_TRUE(d->firmwareButtons[2]->isChecked());
    EXPECT_FALSE(d->firmwareButtons[0]->isEnabled());
    EXPECT_FALSE(d->firmwareButtons[1]->isEnabled());
    EXPECT_EQ(h.link->settings.BoardWriteAddress, 0x12);  // until the next update

    int applied = 0;
    h.app->editors.OnAdvancedApply([&] { ++applied; });
    d->OnOk();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(d->okButton->isEnabled());
    EXPECT_EQ(h.link->settings.BoardWriteAddress, 0x14);
    EXPECT_EQ(h.link->settings.BoardReadAddress, 0x15);
    EXPECT_EQ(applied, 1);

    h.app->Execute(MenuCommand::InitDebugSetup);
    d->osprenBox->click();
    EXPECT_EQ(h.link->settings.SelectorAddressing, 0);
    EXPECT_FALSE(d->osprenBox->isChecked());
    EXPECT_TRUE(d->firmwareButtons[0]->isEnabled());
    d->OnOk();
    EXPECT_EQ(h.link->settings.BoardWriteAddress, 0x12);
    EXPECT_EQ(h.link->settings.BoardReadAddress, 0x13);
}

TEST(AdvancedSetup, DebugButtonsSetDebugModeAtOnce) {
    AppHarness h;
    AdvancedSetupDialog* d = OpenAdvancedSetup(h);
    d->debugOnButton->click();
    EXPECT_EQ(h.link->settings.DebugMode, 1);
    d->debugOffButton->click();
    EXPECT_EQ(h.link->settings.DebugMode, 0);
}
