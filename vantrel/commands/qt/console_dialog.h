#pragma once
#include <vector>

#include "console_dialog_context.h"
#include "vantrel/commands/command_console.h"
#include "vantrel/editors/rows_qt/row_table_dialog.h"

namespace vantrel {

// The window of an SMBus, Temperature, Other or I2C console: the shared row
// table with an enable box per line, Read, Write, Close and the progress bar.
// It only shows the console and hands it the user's actions.
class ConsoleDialog : public RowTableDialog, private IConsoleView {
public:
    enum Button { kRead, kWrite, kClose };

    ConsoleDialog(CommandConsole& console, ConsoleDialogContext context);
    ~ConsoleDialog() override;

    // The table row that shows a console line, and back (-1 for the "future" rows).
    int RowOf(int line) const;
    int LineOf(int row) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    static RowTable TableFor(const ConsoleDefinition& definition);
    void Close();

    // IConsoleView
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void StepProgress() override;
    void ShowFields() override;
    void ShowCheckBoxes() override;
    void FocusField(int line) override;

    CommandConsole& console_;
    ConsoleDialogContext context_;
    std::vector<int> lineOfRow_;
    bool committing_ = false;
};

}  // namespace vantrel
