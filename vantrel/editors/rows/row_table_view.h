#pragma once
#include <functional>
#include <string>

namespace vantrel {

// A rendered row table as its owner drives it. Rows and buttons are addressed
// by their index in the RowTable. Setting a value here never calls back into
// the owner: only the user's own actions do (see RowTableHandlers).
class IRowTableView {
public:
    virtual ~IRowTableView() = default;

    virtual void SetRowText(int row, const std::string& text) = 0;
    virtual std::string RowText(int row) const = 0;
    virtual void SetRowChecked(int row, bool checked) = 0;
    virtual bool RowChecked(int row) const = 0;
    virtual void SetEnableBox(int row, bool checked) = 0;
    virtual bool EnableBox(int row) const = 0;

    // The whole row: control and both labels.
    virtual void SetRowEnabled(int row, bool enabled) = 0;
    // An edit that shows its text but takes no typing.
    virtual void SetRowReadOnly(int row, bool readOnly) = 0;
    // The control alone (the button of a CheckAndButton row).
    virtual void SetControlEnabled(int row, bool enabled) = 0;
    virtual void SetUnitLabel(int row, const std::string& text) = 0;
    virtual void SetDescription(int row, const std::string& text) = 0;

    virtual void SetButtonEnabled(int button, bool enabled) = 0;

    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void StepProgress() = 0;
};

// What the user's actions on a rendered table call. Empty handlers are skipped.
struct RowTableHandlers {
    std::function<void(int row, const std::string& text)> textEdited;  // every change the user types
    std::function<void(int row)> editFinished;                         // Return or the edit lost the focus
    std::function<void(int row, bool checked)> checkToggled;           // the row's check box was clicked
    std::function<void(int row)> rowButton;                            // the row's push button
    std::function<void(int row, bool checked)> enableToggled;          // a console row's enable box
    std::function<void(int button)> button;                            // a button under the table
};

}  // namespace vantrel
