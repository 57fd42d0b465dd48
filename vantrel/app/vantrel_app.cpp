#include "vantrel_app.h"

#include <ctime>
#include <filesystem>

#include "about_dialog.h"
#include "advanced_setup_dialog.h"
#include "external_programs.h"
#include "file_commands.h"
#include "io_display_toggle.h"
#include "main_window.h"
#include "program_folder.h"
#include "qt_desktop.h"
#include "qt_modeless_window.h"
#include "qt_process_starter.h"
#include "qt_prompter.h"
#include "qt_setup_dialog_runner.h"
#include "termination_signals.h"
#include "trace_text_area.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/commands/qt/console_dialog.h"
#include "vantrel/commands/qt/debug_command_dialog.h"
#include "vantrel/commands/qt/realtime_clock_dialog.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/link_transactor.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/processor_reset.h"
#include "vantrel/link/board_link.h"
#include "vantrel/monitor/polling.h"
#include "vantrel/monitor/qt/polling_dialog.h"
#include "vantrel/monitor/workbook/qt/workbook_window_host.h"

namespace vantrel {

VantrelApp::VantrelApp() : pollTimer([this](int periodMs) {
      if (window_) window_->StartPollTimer(periodMs);
  }) {
    std::error_code error;
    startDirectory_ = std::filesystem::current_path(error).string();
}

VantrelApp::~VantrelApp() {
    // Dialogs first: they refer to the setup context and the prompter.
    for (auto& slot : slots_)
        if (slot) slot->Reset();
}

std::string VantrelApp::SettingsPath() const {
    return (std::filesystem::path(startDirectory_) / kSettingsFileName).string();
}

void VantrelApp::Attach(CBoardLink& link, CConfigData& record, IPrompter* prompter, ISetupDialogRunner* runner) {
    link_ = &link;
    record_ = &record;
    window_ = std::make_unique<MainWindow>();
    if (prompter) {
        prompter_ = prompter;
    } else {
        qtPrompter_ = std::make_unique<QtPrompter>(window_.get());
        prompter_ = qtPrompter_.get();
    }
    record.SetPrompter(prompter_);
    link.SetPrompter(prompter_);
    link.trace.SetView(&window_->Trace());

    setup_ = std::make_unique<SetupContext>(
        SetupContext{link, *prompter_, record.connected, record.CommBusy, editors, refusals});
    if (runner) {
        runner_ = runner;
    } else {
        qtRunner_ = std::make_unique<QtSetupDialogRunner>(*setup_, firmwareChoice, window_.get());
        runner_ = qtRunner_.get();
    }
    files_ = std::make_unique<FileCommands>(record, *prompter_, editors);

    for (int i = 0; i < kModelessDialogCount; ++i)
        slots_[static_cast<std::size_t>(i)] =
            std::make_unique<ModelessDialogSlot>(OpenFlagOf(record.openDialogs, static_cast<ModelessDialog>(i)));
    Slot(ModelessDialog::DebugCommand).SetBringToFrontOnFirstShow(true);
    BuildConsoles();
    BuildPolling();
    Slot(ModelessDialog::AdvancedSetup).SetFactory([this] {
        return std::make_unique<QtModelessWindow>(std::make_unique<AdvancedSetupDialog>(*setup_));
    });

    router_ = std::make_unique<CommandRouter>([this] {
        return GuardInputs{record_->connected, record_->writeEnableFlag, link_->settings.FirmwareType};
    });
    processStarter_ = std::make_unique<QtProcessStarter>(window_->PollTimer(), [this] {
        if (window_->onPollTick) window_->onPollTick();
    });
    desktop_ = std::make_unique<QtDesktop>();
    external_ = std::make_unique<ExternalPrograms>(record, *prompter_, editors, startDirectory_, ProgramFolder(),
                                                   *processStarter_, *desktop_, [this](IDesktop& desktop) {
                                                       AboutDialog about(desktop, window_.get());
                                                       about.exec();
                                                   });
    external_->FillHooks(hooks);
    BindCommands();
    window_->onCommand = [this](MenuCommand command) { Execute(command); };
    hooks.pollTick = [this] { polling_->Tick(); };
    window_->onPollTick = [this] {
        if (hooks.pollTick) hooks.pollTick();
    };
    signals_ = std::make_unique<TerminationSignals>([this] { window_->close(); });
}

int VantrelApp::Run() {
    window_->show();
    const int result = window_->exec();
    // Program end: nothing polls while the objects go.
    if (polling_->Active()) polling_->Stop();
    return result;
}

bool VantrelApp::Execute(MenuCommand command) { return router_ && router_->Execute(command); }

bool VantrelApp::Available(MenuCommand command) const { return router_ && router_->Available(command); }

void VantrelApp::BindCommands() {
    using C = MenuCommand;
    // A command whose work is a hook is there once its part filled the hook.
    auto bindHook = [this](C command, const std::function<void()>& h) {
        router_->SetHandler(command, [&h] { h(); }, [&h] { return static_cast<bool>(h); });
    };
    bindHook(C::FileNew, hooks.runWizardOnNewProfile);
    router_->SetHandler(C::FileOpen, [this] { files_->Open(); });
    router_->SetHandler(C::FileSave, [this] { files_->Save(); });
    router_->SetHandler(C::FileSaveAs, [this] { files_->SaveAs(); });
    router_->SetHandler(C::FileExit, [this] { window_->accept(); });
    router_->SetHandler(C::InitSetup, [this] { RunSetup(); });
    router_->SetHandler(C::InitDebugSetup, [this] { RunDebugSetup(); });
    bindHook(C::InitFwUpdate, hooks.firmwareUpdate);
    for (C command : {C::CommandSmbus, C::CommandTemperature, C::CommandI2c, C::CommandOther, C::CommandPolling,
                      C::CommandRealtimeClock, C::EepromCycle1, C::EepromCycle2, C::EepromCycle3, C::EepromCycle4,
                      C::EepromTemperature, C::EepromUpsCounters, C::EepromSetpoints, C::EepromUpdateAll,
                      C::ToolsDebugCommand}) {
        const ModelessDialog dialog = *ModelessDialogOf(command);
        router_->SetHandler(command, [this, dialog] { Slot(dialog).Open(); },
                            [this, dialog] { return Slot(dialog).HasFactory(); });
    }
    router_->SetHandler(C::EepromPowerOnReset, [this] { PowerOnReset(); });
    // The workbook window comes back after it was closed, once polling has made it.
    router_->SetHandler(C::CommandWorkbook, [this] { workbook_->ShowWindow(); },
                        [this] { return workbook_->Window() != nullptr; });
    bindHook(C::ToolsOrvik, hooks.runWizardOnCurrentProfile);
    router_->SetHandler(C::ToolsIoDisplayToggle, [this] { ToggleIoDisplay(link_->settings, link_->trace); });
    router_->SetHandler(C::ToolsClearScreen, [this] { link_->trace.ClearTrace(); });
    const auto manualsThere = [this] { return static_cast<bool>(hooks.openManual); };
    router_->SetHandler(C::HelpVantrelManual, [this] { hooks.openManual(kVantrelManual); }, manualsThere);
    router_->SetHandler(C::HelpFirmwareManual, [this] { hooks.openManual(kFirmwareManual); }, manualsThere);
    router_->SetHandler(C::HelpSerManual, [this] { hooks.openManual(kSerManual); }, manualsThere);
    router_->SetHandler(C::Help104Manual, [this] { hooks.openManual(k104Manual); }, manualsThere);
    bindHook(C::HelpWeb, hooks.openWebHelp);
    bindHook(C::HelpAbout, hooks.about);
}

void VantrelApp::BuildConsoles() {
    consoleBoard_ = std::make_unique<LinkTransactor>(*link_);
    consoles_ = std::make_unique<CommandConsoles>(
        ConsoleEnvironment{*consoleBoard_, record_->commands, record_->CommBusy, *prompter_, record_->pollingActive,
                           link_->BoardIdentification.data()},
        record_->enableFlags);
    // Polling may run the consoles before any window showed them.
    auto applyFirmware = [this] { consoles_->ApplyFirmwareType(link_->settings.FirmwareType); };
    applyFirmware();
    editors.OnLinkSetupChanged(applyFirmware);
    auto context = [this] {
        return ConsoleDialogContext{record_->writeEnableFlag, [this] { return link_->settings.FirmwareType; }};
    };
    const std::pair<ModelessDialog, CommandConsole*> consoles[] = {
        {ModelessDialog::SmbusConsole, &consoles_->smbus},
        {ModelessDialog::TemperatureConsole, &consoles_->temperature},
        {ModelessDialog::OtherConsole, &consoles_->other},
        {ModelessDialog::I2cConsole, &consoles_->i2c},
    };
    for (const auto& [dialog, console] : consoles) {
        Slot(dialog).SetFactory([console, context] {
            return std::make_unique<QtModelessWindow>(std::make_unique<ConsoleDialog>(*console, context()));
        });
    }
    Slot(ModelessDialog::RealtimeClock).SetFactory([this, context] {
        return std::make_unique<QtModelessWindow>(std::make_unique<RealtimeClockDialog>(consoles_->clock, context()));
    });
    Slot(ModelessDialog::DebugCommand).SetFactory([this] {
        return std::make_unique<QtModelessWindow>(std::make_unique<DebugCommandDialog>(consoles_->debug));
    });
}

void VantrelApp::BuildPolling() {
    // Polling's first start builds the console windows it reads through, unshown.
    auto createConsoleWindows = [this] {
        for (ModelessDialog dialog : {ModelessDialog::SmbusConsole, ModelessDialog::TemperatureConsole,
                                      ModelessDialog::OtherConsole, ModelessDialog::RealtimeClock,
                                      ModelessDialog::I2cConsole}) {
            Slot(dialog).Create();
        }
    };
    workbook_ = std::make_unique<workbook::WorkbookWindowHost>(*prompter_);
    polling_ = std::make_unique<Polling>(PollingEnvironment{*consoles_, record_->CommBusy, record_->pollingRate,
                                                            record_->pollingActive, *prompter_,
                                                            [] { return std::time(nullptr); }, workbook_->Launcher(),
                                                            createConsoleWindows});
    Slot(ModelessDialog::PollingControl).SetFactory([this] {
        return std::make_unique<QtModelessWindow>(std::make_unique<PollingDialog>(*polling_));
    });
}

bool VantrelApp::ClockOrI2cConsoleOpen() const {
    return Slot(ModelessDialog::RealtimeClock).Created() || Slot(ModelessDialog::I2cConsole).Created();
}

void VantrelApp::UpdateAllConsoleRead() {
    consoles_->UpdateAllRead(Slot(ModelessDialog::RealtimeClock).Created(), Slot(ModelessDialog::I2cConsole).Created());
}

void VantrelApp::UpdateAllConsoleWrite() {
    consoles_->UpdateAllWrite(Slot(ModelessDialog::RealtimeClock).Created(),
                              Slot(ModelessDialog::I2cConsole).Created());
}

void VantrelApp::RunSetup() {
    // Quick Connect ends the dialog with Cancel but leaves the board connected:
    // polling needs its tick then too.
    if (runner_->RunFirmwareVersion() == DialogEnd::Ok) record_->connected = 1;
    if (record_->connected == 1) pollTimer.Start(record_->pollingRate);
}

void VantrelApp::RunDebugSetup() {
    const bool firstOpening = !Slot(ModelessDialog::AdvancedSetup).Created();
    Slot(ModelessDialog::AdvancedSetup).Open();
    pollTimer.Start(record_->pollingRate);
    if (firstOpening) record_->connected = 1;
}

void VantrelApp::PowerOnReset() {
    if (!prompter_->AskYesNo(texts::kCpuResetQuestion, kAppCaption)) return;
    LinkTransactor board(*link_);
    ProcessorReset(board, record_->commands, record_->CommBusy, *prompter_);
}


}  // namespace vantrel
