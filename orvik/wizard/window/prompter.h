#pragma once
#include <optional>
#include <string>

#include "orvik/definition/reporter.h"

namespace orvik {

// What a file dialog starts from and offers.
struct FileDialogRequest {
    std::string initialFolder;
    std::string filterDescription;  // e.g. "Profile Setup Data (*.psd)"
    std::string filterPattern;      // e.g. "*.psd"
};

// Every message box and file dialog of the wizard goes through here, so the
// window runs unattended in tests with scripted answers.
class IPrompter : public IReporter {
public:
    // A message box owned by the wizard's window (Report) or by no window.
    virtual void ReportUnowned(const std::string& caption, const std::string& text) = 0;

    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;
};

}  // namespace orvik
