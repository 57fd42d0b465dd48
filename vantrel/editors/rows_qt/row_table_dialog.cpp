#include "row_table_dialog.h"

#include <QVBoxLayout>

namespace vantrel {

RowTableDialog::RowTableDialog(const RowTable& table, QWidget* parent)
    : QDialog(parent), view_(new QtRowTableView(table, this)) {
    setWindowTitle(QString::fromStdString(table.caption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void RowTableDialog::reject() {
    if (onDismiss) {
        onDismiss();
    } else {
        QDialog::reject();
    }
}

}  // namespace vantrel
