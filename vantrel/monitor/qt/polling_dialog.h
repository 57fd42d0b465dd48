#pragma once
#include "vantrel/editors/rows_qt/row_table_dialog.h"
#include "vantrel/monitor/polling.h"

namespace vantrel {

// The modeless "Polling Control" dialog: a view over polling that hands it the
// user's entries and buttons. Hiding it does not stop polling.
class PollingDialog : public RowTableDialog, private IPollingView {
public:
    explicit PollingDialog(Polling& polling, QWidget* parent = nullptr);
    ~PollingDialog() override;

private:
    void Close();
    // IPollingView
    void ShowFields() override;
    void ShowBoxesEnabled(bool enabled) override;
    void FocusField(int row) override;

    Polling& polling_;
    bool validating_ = false;
};

}  // namespace vantrel
