#pragma once
#include <QDialog>
#include <functional>

#include "qt_row_table_view.h"

namespace vantrel {

// A dialog whose content is one row table, captioned with the table's caption.
// Escape and the close box call onDismiss when it is set (the owner decides
// whether to hide); without it they hide the dialog.
class RowTableDialog : public QDialog {
public:
    explicit RowTableDialog(const RowTable& table, QWidget* parent = nullptr);

    QtRowTableView& View() { return *view_; }
    std::function<void()> onDismiss;

    void reject() override;

private:
    QtRowTableView* view_;
};

}  // namespace vantrel
