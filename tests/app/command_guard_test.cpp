#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <set>

#include "app_harness.h"
#include "vantrel/app/command_guard.h"
#include "vantrel/app/main_window.h"
#include "vantrel/app/menu_layout.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/trace_text_area.h"

using namespace vantrel;

namespace {

struct GuardCase {
    MenuCommand command;
    CommandGuard guard;
};

const GuardCase kGuarded[] = {
    {MenuCommand::InitFwUpdate, CommandGuard::ConnectedAndWritable},
    {MenuCommand::CommandSmbus, CommandGuard::Connected},
    {MenuCommand::CommandTemperature, CommandGuard::Connected},
    {MenuCommand::CommandI2c, CommandGuard::ConnectedUps18},
    {MenuCommand::CommandOther, CommandGuard::Connected},
    {MenuCommand::CommandPolling, CommandGuard::Connected},
    {MenuCommand::CommandRealtimeClock, CommandGuard::ConnectedUps18},
    {MenuCommand::EepromCycle1, CommandGuard::Connected},
    {MenuCommand::EepromCycle2, CommandGuard::Connected},
    {MenuCommand::EepromCycle3, CommandGuard::Connected},
    {MenuCommand::EepromCycle4, CommandGuard::Connected},
    {MenuCommand::EepromTemperature, CommandGuard::Connected},
    {MenuCommand::EepromUpsCounters, CommandGuard::ConnectedUps},
    {MenuCommand::EepromSetpoints, CommandGuard::Connected},
    {MenuCommand::EepromUpdateAll, CommandGuard::Connected},
    {MenuCommand::EepromPowerOnReset, CommandGuard::Connected},
    {MenuCommand::ToolsClearScreen, CommandGuard::ConnectedUps18},
    {MenuCommand::InitAdmin, CommandGuard::Never},
    {MenuCommand::CommandMemory, CommandGuard::Never},
};

int FirmwareFor(CommandGuard guard) { return guard == CommandGuard::ConnectedUps ? 1 : 2; }

// A modeless window that counts how often it was built.
class CountingWindow : public IModelessWindow {
public:
    explicit CountingWindow(int& shows) : shows_(shows) {}
    void Show() override { ++shows_; }
    void BringToFront() override {}

private:
    int& shows_;
};

}  // namespace

TEST(CommandGuards, TableOfGuards) {
    for (const GuardCase& c : kGuarded) EXPECT_EQ(GuardOf(c.command), c.guard) << static_cast<int>(c.command);
    for (const MenuColumn& menu : MainMenuLayout()) {
        for (const MenuEntry& entry : menu.entries) {
            bool listed = false;
            for (const GuardCase& c : kGuarded) listed = listed || c.command == entry.command;
            if (!listed) {
                EXPECT_EQ(GuardOf(entry.command), CommandGuard::None) << entry.text;
            }
        }
    }
}

TEST(CommandGuards, GuardInputsDecide) {
    struct Case {
        CommandGuard guard;
        GuardInputs inputs;
        bool holds;
    };
    const Case cases[] = {
        {CommandGuard::None, {0, 0, FirmwareType::Standard}, true},
        {CommandGuard::Never, {1, 1, FirmwareType::UPS18}, false},
        {CommandGuard::Connected, {0, 1, FirmwareType::UPS18}, false},
        {CommandGuard::Connected, {1, 1, FirmwareType::Standard}, true},
        {CommandGuard::Connected, {2, 1, FirmwareType::UPS18}, false},
        {CommandGuard::ConnectedAndWritable, {1, 0, FirmwareType::UPS18}, false},
        {CommandGuard::ConnectedAndWritable, {1, 1, FirmwareType::UPS18}, true},
        {CommandGuard::ConnectedUps, {1, 1, FirmwareType::UPS18}, false},
        {CommandGuard::ConnectedUps, {1, 1, FirmwareType::UPS}, true},
        {CommandGuard::ConnectedUps18, {1, 1, FirmwareType::UPS}, false},
        {CommandGuard::ConnectedUps18, {1, 1, FirmwareType::UPS18}, true},
        {CommandGuard::ConnectedUps18, {0, 1, FirmwareType::UPS18}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuardHolds(c.guard, c.inputs), c.holds)
            << static_cast<int>(c.guard) << " " << c.inputs.connected << c.inputs.writesPermitted
            << static_cast<int>(c.inputs.firmwareType);
}

TEST(CommandGuards, EachGuardedItemIsDroppedThenWorksAfterConnection) {
    AppHarness h;
    int built = 0;
    for (int i = 0; i < kModelessDialogCount; ++i)
        h.app->Slot(static_cast<ModelessDialog>(i)).SetFactory([&built] {
            ++built;
            static int ignoredShows = 0;
            return std::make_unique<CountingWindow>(ignoredShows);
        });
    int firmwareUpdates = 0;
    h.app->hooks.firmwareUpdate = [&] { ++firmwareUpdates; };

    for (const GuardCase& c : kGuarded) {
        if (c.guard == CommandGuard::Never) continue;
        h.record->connected = 0;
        h.link->settings.FirmwareType = static_cast<FirmwareType>(FirmwareFor(c.guard));
        const int builtBefore = built;
        const std::size_t questionsBefore = h.prompter.questions.size();
        EXPECT_FALSE(h.app->Execute(c.command)) << static_cast<int>(c.command);
        EXPECT_EQ(built, builtBefore);
        EXPECT_EQ(h.prompter.questions.size(), questionsBefore);

        h.record->connected = 1;
        EXPECT_TRUE(h.app->Execute(c.command)) << static_cast<int>(c.command);
    }
    EXPECT_EQ(firmwareUpdates, 1);
    EXPECT_EQ(built, 14);  // every guarded modeless item, once
    EXPECT_EQ(h.prompter.questions.size(), 1u);  // Pwr On Reset asked, answered No
}

TEST(CommandGuards, FirmwareTypeAndWriteEnableGuards) {
    AppHarness h;
    int firmwareUpdates = 0;
    h.app->hooks.firmwareUpdate = [&] { ++firmwareUpdates; };
    h.record->connected = 1;
    h.record->writeEnableFlag = 0;
    EXPECT_FALSE(h.app->Execute(MenuCommand::InitFwUpdate));
    h.link->settings.FirmwareType = FirmwareType::UPS;
    h.link->trace.InsertAtTop("kept");
    EXPECT_FALSE(h.app->Execute(MenuCommand::ToolsClearScreen));
    EXPECT_EQ(h.app->Window().Trace().Text(), "kept");
    h.link->settings.FirmwareType = FirmwareType::UPS18;
    EXPECT_TRUE(h.app->Execute(MenuCommand::ToolsClearScreen));
    EXPECT_EQ(h.app->Window().Trace().Text(), "");
    EXPECT_EQ(firmwareUpdates, 0);
}

TEST(CommandGuards, GreyedItemsAndMenuTextsInTheWindow) {
    AppHarness h;
    MainWindow& w = h.app->Window();
    std::vector<std::string> titles;
    for (QAction* a : w.MenuBar().actions()) titles.push_back(a->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Init", "&Command", "&EEProm", "&Tools", "&Help"}));

    for (const MenuColumn& menu : MainMenuLayout())
        for (const MenuEntry& entry : menu.entries) {
            QAction* a = w.Action(entry.command);
            ASSERT_NE(a, nullptr) << entry.text;
            EXPECT_EQ(a->text().toStdString(), entry.text);
            EXPECT_EQ(a->isEnabled(), !entry.greyed) << entry.text;
            EXPECT_TRUE(a->shortcut().isEmpty()) << entry.text;
        }
    EXPECT_FALSE(w.Action(MenuCommand::InitAdmin)->isEnabled());
    EXPECT_FALSE(w.Action(MenuCommand::CommandMemory)->isEnabled());

    // Separators, read from the Init menu as built.
    QMenu* init = w.MenuBar().actions()[1]->menu();
    std::vector<std::string> items;
    for (QAction* a : init->actions()) items.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"Setup...", "&Debug Setup...", "-", "&Admin...", "-", "&FW Update..."}));
    QMenu* tools = w.MenuBar().actions()[4]->menu();
    items.clear();
    for (QAction* a : tools->actions()) items.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"&Orvik...", "-", "&Debug Command...", "-", "I/O Text Display",
                                               "&Clear Screen"}));
}

TEST(CommandGuards, MenuTriggerGoesThroughTheGuard) {
    AppHarness h;
    int shows = 0;
    h.app->Slot(ModelessDialog::Cycle1).SetFactory([&shows] { return std::make_unique<CountingWindow>(shows); });
    h.app->Window().Action(MenuCommand::EepromCycle1)->trigger();
    EXPECT_EQ(shows, 0);
    h.record->connected = 1;
    h.app->Window().Action(MenuCommand::EepromCycle1)->trigger();
    EXPECT_EQ(shows, 1);
}

// Until a part of the program fills its hook or builds its dialog, its menu item
// does nothing and Execute says so, guards aside.
TEST(CommandGuards, ItemsWithoutTheirPartDoNotRun) {
    AppHarness h;
    h.record->connected = 1;
    using C = MenuCommand;
    const std::set<C> working = {C::FileOpen,       C::FileSave,           C::FileSaveAs,
                                 C::FileExit,       C::InitSetup,          C::InitDebugSetup,
                                 C::EepromPowerOnReset, C::ToolsIoDisplayToggle, C::ToolsClearScreen,
                                 C::FileNew,        C::ToolsOrvik,         C::HelpVantrelManual,
                                 C::HelpFirmwareManual, C::HelpSerManual, C::Help104Manual,
                                 C::HelpWeb,        C::HelpAbout,          C::CommandSmbus,
                                 C::CommandTemperature, C::CommandI2c,     C::CommandOther,
                                 C::CommandRealtimeClock, C::ToolsDebugCommand, C::CommandPolling};
    for (const MenuColumn& menu : MainMenuLayout())
        for (const MenuEntry& entry : menu.entries) {
            if (GuardOf(entry.command) == CommandGuard::Never) continue;
            EXPECT_EQ(h.app->Available(entry.command), working.count(entry.command) == 1) << entry.text;
            if (working.count(entry.command) == 0) {
                h.link->settings.FirmwareType = static_cast<FirmwareType>(FirmwareFor(GuardOf(entry.command)));
                EXPECT_FALSE(h.app->Execute(entry.command)) << entry.text;
            }
        }

    // Filled hooks and built dialogs make their items run.
    int abouts = 0;
    std::vector<std::string> manuals;
    h.app->hooks.about = [&] { ++abouts; };
    h.app->hooks.openManual = [&](const std::string& name) { manuals.push_back(name); };
    int shows = 0;
    h.app->Slot(ModelessDialog::Cycle2).SetFactory([&shows] { return std::make_unique<CountingWindow>(shows); });
    h.link->settings.FirmwareType = FirmwareType::UPS18;
    for (C command : {C::HelpAbout, C::HelpVantrelManual, C::HelpFirmwareManual, C::HelpSerManual,
                      C::Help104Manual, C::EepromCycle2})
        EXPECT_TRUE(h.app->Execute(command)) << static_cast<int>(command);
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(manuals, (std::vector<std::string>{kVantrelManual, kFirmwareManual, kSerManual, k104Manual}));
    EXPECT_EQ(shows, 1);
}
