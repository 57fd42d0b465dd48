#include "external_programs.h"

#include <filesystem>

#include "application_hooks.h"
#include "help_commands.h"
#include "program_folder.h"
#include "wizard_handover.h"

namespace vantrel {

ExternalPrograms::ExternalPrograms(CConfigData& record, IPrompter& prompter, const EditorHooks& editors,
                                   std::string startDirectory, std::string programFolder,
                                   IProcessStarter& starter, IDesktop& desktop,
                                   std::function<void(IDesktop&)> showAbout)
    : record_(record),
      prompter_(prompter),
      editors_(editors),
      startDirectory_(std::move(startDirectory)),
      programFolder_(std::move(programFolder)),
      starter_(&starter),
      desktop_(&desktop),
      showAbout_(std::move(showAbout)) {}

void ExternalPrograms::FillHooks(ApplicationHooks& hooks) {
    hooks.runWizardOnNewProfile = [this] { RunWizard(WizardStart::NewProfile); };
    hooks.runWizardOnCurrentProfile = [this] { RunWizard(WizardStart::CurrentProfile); };
    hooks.openManual = [this](const std::string& fileName) {
        OpenManual(startDirectory_, fileName, *desktop_, prompter_);
    };
    hooks.openWebHelp = [this] { OpenWebHelp(*desktop_); };
    hooks.about = [this] {
        if (showAbout_) showAbout_(*desktop_);
    };
}

std::string ExternalPrograms::WizardProgram() const {
    return (std::filesystem::path(programFolder_) / kWizardProgramName).string();
}

std::string ExternalPrograms::ScratchProfile() const {
    return (std::filesystem::path(ScratchFolder(programFolder_)) / kScratchProfileName).string();
}

void ExternalPrograms::RunWizard(WizardStart start) {
    if (wizardRunning_) return;
    struct RunningFlag {
        bool& flag;
        explicit RunningFlag(bool& f) : flag(f) { flag = true; }
        ~RunningFlag() { flag = false; }
    } running(wizardRunning_);
    WizardHandover handover(record_, prompter_, editors_, *starter_, WizardProgram(), ScratchProfile());
    if (start == WizardStart::CurrentProfile)
        handover.RunOnCurrentProfile();
    else
        handover.RunOnNewProfile();
}

}  // namespace vantrel
