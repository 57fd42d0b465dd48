#include "vantrel/monitor/qt/polling_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QTableView>
#include <QTimer>
#include <regex>

#include "tests/app/app_harness.h"
#include "tests/support/temp_folder.h"
#include "vantrel/app/main_window.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/setup_messages.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/monitor/polling_table.h"
#include "vantrel/monitor/workbook/qt/workbook_window.h"
#include "vantrel/sim_bridge/simulated_board.h"

namespace vantrel {
namespace {

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    edit->insert(text);  // as typed: textEdited reaches polling
}

// A user on the simulated PC/104 board: Quick Connect, then Command > Polling Cmd.
class PollingWindow : public testing::Test {
protected:
    PollingWindow() : h(Options()) {
        h.link->settings.PortSelection = 10;
        h.runner->firmwareVersion = [](FirmwareVersionDialog& d) { d.OnQuickConnect(); };
        h.app->Execute(MenuCommand::InitSetup);
        h.prompter.messages.clear();
    }
    static HarnessOptions Options() {
        HarnessOptions options;
        options.pc104Board = PowerUpPc104Board(FirmwareType::UPS18);
        return options;
    }
    PollingDialog* Dialog() {
        if (!h.app->Execute(MenuCommand::CommandPolling)) return nullptr;
        return ModelessWidget<PollingDialog>(h.app->Slot(ModelessDialog::PollingControl));
    }
    void Tick() {
        ASSERT_TRUE(QMetaObject::invokeMethod(const_cast<QTimer*>(&h.app->Window().PollTimer()), "timeout",
                                              Qt::DirectConnection));
    }

    AppHarness h;
};

TEST_F(PollingWindow, ShowsItsFieldsAndButtons) {
    PollingDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    QtRowTableView& view = dialog->View();
    EXPECT_EQ(dialog->windowTitle(), "Polling Control");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(view.Edit(kPollNameRow)->text(), "data.txt");
    EXPECT_EQ(view.Edit(kPollRateRow)->text(), "1");
    EXPECT_EQ(view.Description(kPollNameRow)->text(), " Text Polling File Name");
    EXPECT_EQ(view.UnitLabel(kPollRateRow)->text(), " 1..60 / Sec");
    EXPECT_EQ(view.Check(kPollGraphRow)->text(), "&Graph Battery Specs in Excel ");
    EXPECT_EQ(view.Check(kPollLogRow)->text(), "&Log Data to Text File ");
    EXPECT_EQ(view.Button(kPollStartStopButton)->text(), "&Start / Stop");
    EXPECT_EQ(view.Button(kPollCloseButton)->text(), "&Close");
}

TEST_F(PollingWindow, PollsTheBoardIntoTheLogUntilStopped) {
    h.record->enableFlags.smbus[1] = 1;  // Batt_V
    PollingDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    QtRowTableView& view = dialog->View();
    Type(view.Edit(kPollNameRow), "bench.txt");
    view.Check(kPollLogRow)->click();
    view.Button(kPollCloseButton)->click();
    EXPECT_FALSE(dialog->isVisible());
    dialog = Dialog();  // the same dialog again, with what was entered
    view.Button(kPollStartStopButton)->click();
    EXPECT_EQ(h.record->pollingActive, 1);
    EXPECT_FALSE(view.Check(kPollLogRow)->isEnabled());
    EXPECT_FALSE(h.app->Consoles().smbus.CheckBoxesEnabled());
    // The consoles polling reads through exist now, not shown.
    for (ModelessDialog d : {ModelessDialog::SmbusConsole, ModelessDialog::RealtimeClock, ModelessDialog::I2cConsole}) {
        const QWidget* window = ModelessWidget<QWidget>(h.app->Slot(d));
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isVisible());
    }
    dialog->hide();  // hiding does not stop polling
    for (int i = 0; i < 3; ++i) Tick();
    view.Button(kPollStartStopButton)->click();
    EXPECT_EQ(h.record->pollingActive, 0);
    EXPECT_TRUE(view.Check(kPollLogRow)->isEnabled());
    Tick();
    const std::string log = ixen_testing::ReadBytes("bench.txt");
    EXPECT_TRUE(std::regex_match(log, std::regex("Time, Batt_V, \r\n(\\d+, \\d+, \r\n){2}"))) << log;
    EXPECT_TRUE(h.prompter.messages.empty());
}

TEST_F(PollingWindow, ProgramEndStopsPolling) {
    PollingDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    dialog->View().Button(kPollStartStopButton)->click();
    ASSERT_EQ(h.record->pollingActive, 1);
    QTimer::singleShot(0, [this] { h.app->Execute(MenuCommand::FileExit); });
    h.app->Run();
    EXPECT_EQ(h.record->pollingActive, 0);
}

TEST_F(PollingWindow, ARefusedRateKeepsTheOldOne) {
    PollingDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    QLineEdit* rate = dialog->View().Edit(kPollRateRow);
    Type(rate, "5");
    Q_EMIT rate->editingFinished();
    EXPECT_EQ(h.record->pollingRate, 5);
    Type(rate, "61");
    Q_EMIT rate->editingFinished();
    EXPECT_EQ(h.record->pollingRate, 5);
    dialog->View().Button(kPollCloseButton)->click();
    EXPECT_TRUE(dialog->isVisible());  // Close refuses too
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>(2, "Please enter an integer between 1 and 60."));
}

TEST_F(PollingWindow, GraphingFillsTheWorkbookWindowWhichComesBackAfterClosing) {
    EXPECT_FALSE(h.app->Available(MenuCommand::CommandWorkbook));  // nothing to show before graphing
    PollingDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    dialog->View().Check(kPollGraphRow)->click();
    dialog->View().Button(kPollStartStopButton)->click();
    ASSERT_EQ(h.record->pollingActive, 1);
    Tick();
    Tick();
    dialog->View().Button(kPollStartStopButton)->click();
    EXPECT_TRUE(h.prompter.messages.empty());

    workbook::WorkbookWindow* workbook = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = dynamic_cast<workbook::WorkbookWindow*>(w)) workbook = found;
    ASSERT_NE(workbook, nullptr);
    // The header row, then the poll's row: B2 shows the battery temperature in degrees C.
    QAbstractItemModel* grid = workbook->Grid(1)->model();
    EXPECT_EQ(grid->data(grid->index(0, 1)).toString(), "BattTemp (C)");
    bool number = false;
    grid->data(grid->index(1, 1)).toString().toDouble(&number);
    EXPECT_TRUE(number) << grid->data(grid->index(1, 1)).toString().toStdString();
    EXPECT_TRUE(workbook->isVisible());
    workbook->close();
    EXPECT_FALSE(workbook->isVisible());
    EXPECT_TRUE(h.app->Execute(MenuCommand::CommandWorkbook));
    EXPECT_TRUE(workbook->isVisible());
}

}  // namespace
}  // namespace vantrel
