#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "app_harness.h"
#include "vantrel/app/main_window.h"
#include "vantrel/app/setup_messages.h"

using namespace vantrel;

namespace {

// Addresses with protocols 1 then 0 each, up to the pair that answered.
std::vector<std::pair<int, int>> Pc104Order(int foundAddress, int foundProtocol) {
    std::vector<std::pair<int, int>> order;
    for (int address : {0x300, 0x310, 0x320, 0x360}) {
        for (int p : {1, 0}) {
            order.push_back({address, p});
            if (address == foundAddress && p == foundProtocol) return order;
        }
    }
    return order;
}

}  // namespace

TEST(SetupChain, EndsConfirmedEvenWhenThePortDialogIsCancelled) {
    AppHarness h;
    h.runner->firmwareVersion = [](FirmwareVersionDialog& d) {
        d.ups16->click();
        d.OnNext();
    };
    h.runner->deviceType = [](DeviceTypeDialog& d) {
        ASSERT_TRUE(d.rows[3]->isEnabled());  // IXEN-SER is offered after UPS16
        d.ChooseRow(3);
        d.OnNext();
    };
    h.runner->comPort = [](ComPortSelectionDialog& d) { d.OnCancel(); };

    EXPECT_TRUE(h.app->Execute(MenuCommand::InitSetup));
    EXPECT_EQ(h.runner->ran, (std::vector<std::string>{"Firmware Version", "Device Type", "COM Port Selection"}));
    EXPECT_EQ(h.link->settings.FirmwareType, FirmwareType::UPS);
    EXPECT_EQ(h.record->connected, 1);
    EXPECT_TRUE(h.app->Window().PollTimer().isActive());
    EXPECT_EQ(h.app->Window().PollTimer().interval(), 1000);
    EXPECT_TRUE(h.prompter.messages.empty());
}

TEST(SetupChain, CancelledDeviceTypeLeavesTheLinkUnconfirmed) {
    AppHarness h;
    h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnNext(); };
    h.runner->deviceType = [](DeviceTypeDialog& d) { d.OnCancel(); };
    h.app->Execute(MenuCommand::InitSetup);
    EXPECT_EQ(h.record->connected, 0);
    EXPECT_FALSE(h.app->Window().PollTimer().isActive());
}

TEST(SetupChain, DeviceRowsFollowTheFirmwareChoice) {
    struct Case {
        int firmwareChoice;
        std::vector<bool> enabled;
        int checked;
    };
    const Case cases[] = {
        {0, {true, true, false, true, true, true, false}, 0},
        {1, {true, true, true, false, false, true, true}, 1},
    };
    for (const Case& c : cases) {
        AppHarness h;
        std::vector<bool> enabled;
        int checked = -1;
        h.runner->firmwareVersion = [&](FirmwareVersionDialog& d) {
            (c.firmwareChoice == 1 ? d.ups18 : d.ups16)->click();
            d.OnNext();
        };
        h.runner->deviceType = [&](DeviceTypeDialog& d) {
            for (std::size_t i = 0; i < d.rows.size(); ++i) {
                enabled.push_back(d.rows[i]->isEnabled());
                if (d.rows[i]->isChecked()) checked = static_cast<int>(i);
            }
            EXPECT_EQ(h.link->settings.BoardWriteAddress, 0x12);
            EXPECT_EQ(h.link->settings.BoardReadAddress, 0x13);
        };
        h.link->settings.BoardWriteAddress = 0x14;
        h.link->settings.BoardReadAddress = 0x15;
        h.app->Execute(MenuCommand::InitSetup);
        EXPECT_EQ(enabled, c.enabled) << "choice " << c.firmwareChoice;
        EXPECT_EQ(checked, c.checked) << "choice " << c.firmwareChoice;
        EXPECT_EQ(h.link->settings.FirmwareType, static_cast<FirmwareType>(c.firmwareChoice + 1));
        EXPECT_EQ(h.app->firmwareChoice, c.firmwareChoice);  // kept for the next Setup
    }
}

TEST(SetupChain, DeviceRowsLeadToTheirPortDialog) {
    for (std::size_t row = 0; row < DeviceRows().size(); ++row) {
        AppHarness h;
        h.runner->firmwareVersion = [&](FirmwareVersionDialog& d) {
            (DeviceRows()[row].enabledUps18 ? d.ups18 : d.ups16)->click();
            d.OnNext();
        };
        h.runner->deviceType = [&](DeviceTypeDialog& d) {
            d.ChooseRow(static_cast<int>(row));
            d.OnNext();
        };
        h.app->Execute(MenuCommand::InitSetup);
        ASSERT_EQ(h.runner->ran.size(), 3u);
        EXPECT_EQ(h.runner->ran[2], DeviceRows()[row].pc104 ? "IXEN-104 Settings" : "COM Port Selection")
            << DeviceRows()[row].name;
    }
}

TEST(QuickConnect, FromPc104TriesOnlyTheFourAddressesAndStartsThePollTimer) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(1);
    options.pc104Board = BoardWithProtocol(1);
    options.pc104Address = 0x360;
    AppHarness h(options);
    h.link->settings.PortSelection = 10;
    h.link->settings.FirmwareType = FirmwareType::UPS;
    DialogEnd end = DialogEnd::Ok;
    h.runner->firmwareVersion = [&](FirmwareVersionDialog& d) {
        d.OnQuickConnect();
        end = EndOf(d.result());
    };
    h.app->Execute(MenuCommand::InitSetup);

    EXPECT_EQ(end, DialogEnd::Cancel);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
    EXPECT_EQ(h.bus->tried, Pc104Order(0x360, 1));
    EXPECT_EQ(h.SerialBytesReceived(), 0u);
    EXPECT_EQ(h.link->settings.PortSelection, 13);
    EXPECT_EQ(h.link->settings.LinkProtocol, 1);
    EXPECT_EQ(h.link->settings.FirmwareType, FirmwareType::UPS18);
    EXPECT_EQ(h.record->connected, 1);
    // Polling needs its one-second tick after Quick Connect too.
    EXPECT_TRUE(h.app->Window().PollTimer().isActive());
    EXPECT_EQ(h.app->Window().PollTimer().interval(), 1000);
    EXPECT_EQ(std::string(h.link->BoardIdentification.data()), ixsim::BoardOptions{}.identification);
}

TEST(QuickConnect, FromSerialFindsTheBoardAndNamesItsPort) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(2);
    AppHarness h(options);
    h.link->settings.PortSelection = 3;
    h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnQuickConnect(); };
    h.app->Execute(MenuCommand::InitSetup);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{EstablishedOnCom(1)});
    EXPECT_EQ(h.link->settings.PortSelection, 1);
    EXPECT_EQ(h.link->settings.LinkProtocol, 2);
    EXPECT_EQ(h.record->connected, 1);
    EXPECT_TRUE(h.bus->tried.empty());
}

TEST(QuickConnect, NothingAnsweringKeepsTheDialogOpen) {
    AppHarness h;  // no board anywhere
    for (int selection : {2, 11, 0}) {
        h.prompter.messages.clear();
        h.link->settings.PortSelection = static_cast<uint16_t>(selection);
        bool stillOpen = false;
        h.runner->firmwareVersion = [&](FirmwareVersionDialog& d) {
            d.show();
            d.OnQuickConnect();
            stillOpen = d.isVisible();
        };
        h.app->Execute(MenuCommand::InitSetup);
        EXPECT_TRUE(stillOpen) << selection;
        EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kNoCommunications}) << selection;
        EXPECT_EQ(h.record->connected, 0);
    }
}

TEST(ComPortSelection, AutoselectFromPc104SelectionTriesNothing) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(2);
    options.pc104Board = BoardWithProtocol(1);
    AppHarness h(options);
    h.link->settings.PortSelection = 12;
    ComPortSelectionDialog d(h.app->Setup());
    bool okDuringMessage = true;
    d.OnAutoselect();
    okDuringMessage = d.okButton->isEnabled();
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kNoCommunications});
    EXPECT_TRUE(okDuringMessage);
    EXPECT_TRUE(h.bus->tried.empty());
    EXPECT_EQ(h.SerialBytesReceived(), 0u);
    EXPECT_EQ(h.link->settings.PortSelection, 12);
}

TEST(ComPortSelection, AutoselectFindsTheBoardAndEndsWithCancel) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(0);
    AppHarness h(options);
    h.link->settings.PortSelection = 5;
    ComPortSelectionDialog d(h.app->Setup());
    d.setResult(QDialog::Accepted);
    d.OnAutoselect();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{EstablishedOnCom(1)});
    EXPECT_EQ(h.link->settings.LinkProtocol, 0);
    EXPECT_TRUE(d.okButton->isEnabled());
    EXPECT_EQ(h.record->connected, 0);  // the chain confirms, not the search
}

TEST(ComPortSelection, OkConnectsWithTheNoBusTimerProbe) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(2);
    AppHarness h(options);
    h.record->CommBusy = 1;
    int refreshes = 0;
    h.app->editors.OnLinkSetupChanged([&] { ++refreshes; });
    ComPortSelectionDialog d(h.app->Setup());
    d.ChoosePort(0);
    d.OnOk();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kCommunicationsEstablished});
    EXPECT_EQ(h.record->connected, 1);
    EXPECT_EQ(h.record->CommBusy, 0);
    EXPECT_EQ(h.link->settings.LinkProtocol, 2);
    EXPECT_EQ(refreshes, 1);
}

TEST(ComPortSelection, OkOnAPortThatCannotOpenReportsAndStays) {
    AppHarness h;
    ComPortSelectionDialog d(h.app->Setup());
    d.show();
    d.ChoosePort(4);
    d.OnOk();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(h.link->settings.PortSelection, 5);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kNoCommunications});
    EXPECT_TRUE(d.okButton->isEnabled());
    EXPECT_EQ(h.record->connected, 0);
}

TEST(Pc104Settings, OkAsksForAutoselectAndClearsConnected) {
    AppHarness h;
    h.record->connected = 1;
    Pc104SettingsDialog d(h.app->Setup());
    d.show();
    d.ChooseAddress(2);
    d.OnOk();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.okButton->isEnabled());
    EXPECT_EQ(h.link->settings.PortSelection, 12);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kUsePc104Autoselect});
    EXPECT_EQ(h.record->connected, 0);
}

TEST(Pc104Settings, AutoselectNamesTheAddressThatAnswered) {
    HarnessOptions options;
    options.pc104Board = BoardWithProtocol(0);
    options.pc104Address = 0x320;
    AppHarness h(options);
    Pc104SettingsDialog d(h.app->Setup());
    d.show();
    d.OnAutoselect();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{"Communications established on PC104 320"});
    EXPECT_EQ(h.bus->tried, Pc104Order(0x320, 0));
    EXPECT_EQ(h.link->settings.PortSelection, 12);
}
