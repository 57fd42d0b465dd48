#include "device_type_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "button_column_layout.h"
#include "dialog_finish.h"

namespace vantrel {

DeviceTypeDialog::DeviceTypeDialog(SetupContext& ctx, ISetupDialogRunner& runner, QWidget* parent)
    : QDialog(parent), model_(ctx, runner) {
    setWindowTitle("Device Type");
    auto* group = new QGroupBox("Device List", this);
    auto* groupLayout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        rows[i] = new QRadioButton(DeviceRows()[i].name, group);
        rows[i]->setEnabled(model_.RowEnabled(index));
        groupLayout->addWidget(rows[i]);
        connect(rows[i], &QRadioButton::clicked, this, [this, index] { model_.SetChoice(index); });
    }
    rows[static_cast<std::size_t>(model_.Choice())]->setChecked(true);

    nextButton = new QPushButton("&Next...", this);
    cancelButton = new QPushButton("&Cancel", this);
    nextButton->setDefault(true);
    PlaceBesideButtonColumn(*this, group, {nextButton, cancelButton});

    connect(nextButton, &QPushButton::clicked, this, &DeviceTypeDialog::OnNext);
    connect(cancelButton, &QPushButton::clicked, this, &DeviceTypeDialog::OnCancel);
}

void DeviceTypeDialog::ChooseRow(int index) {
    if (index < 0 || index >= static_cast<int>(rows.size()) || !rows[static_cast<std::size_t>(index)]->isEnabled())
        return;
    rows[static_cast<std::size_t>(index)]->setChecked(true);
    model_.SetChoice(index);
}

void DeviceTypeDialog::OnNext() { FinishDialog(*this, model_.Next()); }
void DeviceTypeDialog::OnCancel() { FinishDialog(*this, model_.Cancel()); }

}  // namespace vantrel
