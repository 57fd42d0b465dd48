#pragma once
#include "orvik/wizard/window/prompter.h"

class QWidget;

namespace orvik {

// The prompter of the running program: message boxes and file dialogs.
class QtPrompter final : public IPrompter {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Report(const std::string& caption, const std::string& text) override;
    void ReportUnowned(const std::string& caption, const std::string& text) override;
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;

private:
    QWidget* owner_ = nullptr;
};

}  // namespace orvik
