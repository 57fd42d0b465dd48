#pragma once
#include <QDialog>

#include "vantrel/commands/debug_command.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vantrel {

// The "Debug Command" window: a command byte, a data word, Write, Read, Close.
class DebugCommandDialog : public QDialog, private IConsoleView {
public:
    explicit DebugCommandDialog(DebugCommand& command);
    ~DebugCommandDialog() override;

    QLineEdit* CommandField() const { return command_; }
    QLineEdit* WordField() const { return word_; }
    QPushButton* ReadButton() const { return read_; }
    QPushButton* WriteButton() const { return write_; }

private:
    void TakeFields();

    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void ShowFields() override;

    DebugCommand& debug_;
    QLineEdit* command_ = nullptr;
    QLineEdit* word_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace vantrel
