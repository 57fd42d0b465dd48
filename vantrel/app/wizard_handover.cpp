#include "wizard_handover.h"

#include "editor_hooks.h"
#include "process_starter.h"
#include "vantrel/link/prompter.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/message_texts.h"

namespace vantrel {

namespace {

constexpr int kReadProfile = 0;
constexpr int kWriteProfile = 1;
constexpr int kWizardSaved = 0;

// From now on no file name is known for what the record holds.
void ForgetFileName(CConfigData& record) {
    record.fileTitle = texts::kUntitled;
    record.loaded = 0;
}

}  // namespace

void WizardHandover::RunOnCurrentProfile() {
    ForgetFileName(record_);
    // A scratch profile that could not be written may hold an older profile:
    // the wizard then starts without one rather than load that. The writer has
    // already said why it failed.
    const bool written = record_.ReadWriteProfile(scratchProfile_, kWriteProfile) == 0;
    if (written)
        RunAndTakeResult({kWizardLoadOption, scratchProfile_});
    else
        RunAndTakeResult({});
}

void WizardHandover::RunOnNewProfile() {
    ForgetFileName(record_);
    editors_.ReloadFromRecord();
    RunAndTakeResult({});
}

void WizardHandover::RunAndTakeResult(const std::vector<std::string>& arguments) {
    const ProcessEnd end = starter_.Run(wizardProgram_, arguments);
    if (end.how == ProcessEnd::How::NotStarted) return;
    if (!end.ExitedWith(kWizardSaved)) {
        // Cancelled, or ended by a signal: either way nothing was handed back.
        prompter_.Message(kWizardCancelled);
        return;
    }
    // A scratch profile the wizard left unreadable keeps the record as it was;
    // the reader has shown why, and the profile is not reported as loaded.
    if (record_.ReadWriteProfile(scratchProfile_, kReadProfile) == 0) prompter_.Message(kProfileLoaded);
}

}  // namespace vantrel
