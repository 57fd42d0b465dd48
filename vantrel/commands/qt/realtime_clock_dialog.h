#pragma once
#include <QDialog>
#include <array>

#include "console_dialog_context.h"
#include "vantrel/commands/realtime_clock_console.h"

class QDateEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vantrel {

// The "Realtime Clock" window: a date picker and hour, minute and second texts
// for each time, the shutdown delay, Read, Write and Close.
class RealtimeClockDialog : public QDialog, private IConsoleView {
public:
    RealtimeClockDialog(RealtimeClockConsole& clock, ConsoleDialogContext context);
    ~RealtimeClockDialog() override;

    struct RowWidgets {
        QDateEdit* date = nullptr;
        QLineEdit* hour = nullptr;
        QLineEdit* minute = nullptr;
        QLineEdit* second = nullptr;
    };
    const RowWidgets& Row(RealtimeClockConsole::Row row) const { return rows_[row]; }
    QLineEdit* Delay() const { return delay_; }
    QPushButton* ReadButton() const { return read_; }
    QPushButton* WriteButton() const { return write_; }
    QProgressBar* Progress() const { return progress_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TakeFields();

    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void StepProgress() override;
    void ShowFields() override;

    RealtimeClockConsole& clock_;
    ConsoleDialogContext context_;
    std::array<RowWidgets, RealtimeClockConsole::kRowCount> rows_{};
    QLineEdit* delay_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace vantrel
