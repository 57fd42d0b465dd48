#pragma once
#include <array>
#include <memory>
#include <string>

#include "application_hooks.h"
#include "command_router.h"
#include "editor_hooks.h"
#include "modeless_dialog_id.h"
#include "modeless_dialog_slot.h"
#include "poll_timer_starter.h"
#include "port_refusal_notice.h"
#include "setup_context.h"
#include "vantrel/config/settings_file.h"

namespace vantrel {

class CBoardLink;
class CConfigData;
class CommandConsoles;
class LinkTransactor;
class ExternalPrograms;
class FileCommands;
class IDesktop;
class IProcessStarter;
class IPrompter;
class ISetupDialogRunner;
class MainWindow;
class Polling;
namespace workbook {
class WorkbookWindowHost;
}
class QtPrompter;
class TerminationSignals;

// The application object: built first, it records the start directory; once
// the link and the configuration record exist it is attached to them, runs the
// main window and handles every menu command behind its guard. It holds the
// modeless dialogs of the menu for the whole run.
class VantrelApp {
public:
    static constexpr const char* kSettingsFileName = vantrel::kSettingsFileName;

    VantrelApp();
    ~VantrelApp();
    VantrelApp(const VantrelApp&) = delete;
    VantrelApp& operator=(const VantrelApp&) = delete;

    const std::string& StartDirectory() const { return startDirectory_; }
    // Start directory + "/Vantrel.ini".
    std::string SettingsPath() const;

    // prompter and runner default to the desktop's; tests pass scripted ones.
    void Attach(CBoardLink& link, CConfigData& record, IPrompter* prompter = nullptr,
                ISetupDialogRunner* runner = nullptr);
    // Shows the main window and returns when it has closed.
    int Run();

    // A menu command, dropped silently when its guard fails or when the part of
    // the program behind it is not there (an empty hook, a dialog nobody builds
    // yet). True when it ran.
    bool Execute(MenuCommand command);
    // The part of the program behind the command is there (guards aside).
    bool Available(MenuCommand command) const;

    MainWindow& Window() const { return *window_; }
    ModelessDialogSlot& Slot(ModelessDialog dialog) { return *slots_[static_cast<std::size_t>(dialog)]; }
    const ModelessDialogSlot& Slot(ModelessDialog dialog) const { return *slots_[static_cast<std::size_t>(dialog)]; }
    SetupContext& Setup() { return *setup_; }
    // The command consoles' lines, stores and passes, for the whole run (polling logs them).
    CommandConsoles& Consoles() { return *consoles_; }
    // Polling, for the whole run: the poll timer's ticks go to it.
    Polling& Poller() { return *polling_; }
    // For Update All's dialog (IUpdateAllHost): the realtime clock and I2C
    // consoles take part once their windows exist.
    bool ClockOrI2cConsoleOpen() const;
    void UpdateAllConsoleRead();
    void UpdateAllConsoleWrite();
    IPrompter& Prompter() { return *prompter_; }
    // File New, Tools Orvik and Help: their program folder, starter and desktop.
    ExternalPrograms& External() { return *external_; }

    ApplicationHooks hooks;
    EditorHooks editors;
    PollTimerStarter pollTimer;
    PortRefusalNotice refusals;
    int firmwareChoice = 0;  // "Firmware Version", kept from one Setup to the next

private:
    void BindCommands();
    void BuildConsoles();
    void BuildPolling();
    void RunSetup();
    void RunDebugSetup();
    void PowerOnReset();

    std::string startDirectory_;
    CBoardLink* link_ = nullptr;
    CConfigData* record_ = nullptr;
    std::unique_ptr<QtPrompter> qtPrompter_;
    IPrompter* prompter_ = nullptr;
    std::unique_ptr<ISetupDialogRunner> qtRunner_;
    ISetupDialogRunner* runner_ = nullptr;
    std::unique_ptr<SetupContext> setup_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<LinkTransactor> consoleBoard_;
    std::unique_ptr<CommandConsoles> consoles_;
    // Before polling: polling's reference to the spreadsheet goes first.
    std::unique_ptr<workbook::WorkbookWindowHost> workbook_;
    std::unique_ptr<Polling> polling_;
    std::unique_ptr<CommandRouter> router_;
    std::unique_ptr<IProcessStarter> processStarter_;
    std::unique_ptr<IDesktop> desktop_;
    std::unique_ptr<ExternalPrograms> external_;
    std::array<std::unique_ptr<ModelessDialogSlot>, kModelessDialogCount> slots_{};
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<TerminationSignals> signals_;
};

}  // namespace vantrel
