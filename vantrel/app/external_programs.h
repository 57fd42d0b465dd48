#pragma once
#include <functional>
#include <string>

namespace vantrel {

struct ApplicationHooks;
class CConfigData;
class EditorHooks;
class IDesktop;
class IPrompter;
class IProcessStarter;

// File > New, Tools > Orvik, the Help manuals, Web Based Help and About: what
// the utility hands to other programs. Fills the application's hooks; the
// process starter, the desktop and the program folder can be replaced (tests).
class ExternalPrograms {
public:
    ExternalPrograms(CConfigData& record, IPrompter& prompter, const EditorHooks& editors,
                     std::string startDirectory, std::string programFolder, IProcessStarter& starter,
                     IDesktop& desktop, std::function<void(IDesktop&)> showAbout);

    void FillHooks(ApplicationHooks& hooks);

    void UseProcessStarter(IProcessStarter& starter) { starter_ = &starter; }
    void UseDesktop(IDesktop& desktop) { desktop_ = &desktop; }
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

    // The wizard's program file and the scratch profile, from the program folder.
    std::string WizardProgram() const;
    std::string ScratchProfile() const;

    bool WizardRunning() const { return wizardRunning_; }

private:
    enum class WizardStart { CurrentProfile, NewProfile };
    void RunWizard(WizardStart start);

    CConfigData& record_;
    IPrompter& prompter_;
    const EditorHooks& editors_;
    std::string startDirectory_;
    std::string programFolder_;
    IProcessStarter* starter_;
    IDesktop* desktop_;
    std::function<void(IDesktop&)> showAbout_;
    bool wizardRunning_ = false;
};

}  // namespace vantrel
