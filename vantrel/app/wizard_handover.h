#pragma once
#include <string>
#include <vector>

namespace vantrel {

class CConfigData;
class EditorHooks;
class IPrompter;
class IProcessStarter;

inline constexpr const char* kProfileLoaded = "Your profile has now been loaded into the Vantrel";
inline constexpr const char* kWizardCancelled =
    "Profile Wizard Cancelled. No changes have occured to the profile within the Vantrel";
// The wizard's option that makes it load a profile file; the file name follows as its own argument.
inline constexpr const char* kWizardLoadOption = "-f";

// Hands the profile to the wizard (Orvik) and takes its result back. The two
// programs meet only through the process start, the scratch profile
// working.psd and the wizard's exit code: 0 when it saved a profile.
class WizardHandover {
public:
    // wizardProgram: the wizard's program file; scratchProfile: working.psd's path.
    WizardHandover(CConfigData& record, IPrompter& prompter, const EditorHooks& editors, IProcessStarter& starter,
                   std::string wizardProgram, std::string scratchProfile)
        : record_(record),
          prompter_(prompter),
          editors_(editors),
          starter_(starter),
          wizardProgram_(std::move(wizardProgram)),
          scratchProfile_(std::move(scratchProfile)) {}

    // Tools > Orvik: writes the record to the scratch profile and has the wizard load it.
    void RunOnCurrentProfile();
    // File > New: reloads the open editors, then runs the wizard from its start.
    void RunOnNewProfile();

private:
    void RunAndTakeResult(const std::vector<std::string>& arguments);

    CConfigData& record_;
    IPrompter& prompter_;
    const EditorHooks& editors_;
    IProcessStarter& starter_;
    std::string wizardProgram_;
    std::string scratchProfile_;
};

}  // namespace vantrel
