#include "polling_dialog.h"

#include <QLineEdit>

#include "vantrel/monitor/polling_table.h"

namespace vantrel {

PollingDialog::PollingDialog(Polling& polling, QWidget* parent)
    : RowTableDialog(PollingControlTable(), parent), polling_(polling) {
    setModal(false);
    QtRowTableView& view = View();
    view.handlers.textEdited = [this](int row, const std::string& text) {
        if (row == kPollNameRow) polling_.nameField = text;
        if (row == kPollRateRow) polling_.rateField = text;
    };
    view.handlers.editFinished = [this](int row) {
        // The rate takes effect when its field is left. A refusal's message box
        // takes the focus too: one validation at a time.
        if (row != kPollRateRow || validating_) return;
        validating_ = true;
        polling_.ValidateFields();
        validating_ = false;
    };
    view.handlers.checkToggled = [this](int row, bool checked) {
        if (row == kPollGraphRow) polling_.graphBox = checked;
        if (row == kPollLogRow) polling_.logBox = checked;
    };
    view.handlers.button = [this](int button) {
        if (button == kPollStartStopButton) polling_.StartStop();
        if (button == kPollCloseButton) Close();
    };
    onDismiss = [this] { Close(); };
    polling_.SetView(this);
    ShowFields();
    ShowBoxesEnabled(!polling_.Active());
}

PollingDialog::~PollingDialog() { polling_.SetView(nullptr); }

void PollingDialog::Close() {
    validating_ = true;
    const bool accepted = polling_.ValidateFields();
    validating_ = false;
    if (accepted) hide();
}

void PollingDialog::ShowFields() {
    QtRowTableView& view = View();
    view.SetRowText(kPollNameRow, polling_.nameField);
    view.SetRowText(kPollRateRow, polling_.rateField);
    view.SetRowChecked(kPollGraphRow, polling_.graphBox);
    view.SetRowChecked(kPollLogRow, polling_.logBox);
}

void PollingDialog::ShowBoxesEnabled(bool enabled) {
    View().SetControlEnabled(kPollGraphRow, enabled);
    View().SetControlEnabled(kPollLogRow, enabled);
}

void PollingDialog::FocusField(int row) {
    if (QLineEdit* edit = View().Edit(row)) edit->setFocus();
}

}  // namespace vantrel
