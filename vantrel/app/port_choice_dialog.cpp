#include "port_choice_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "button_column_layout.h"
#include "dialog_finish.h"

namespace vantrel {

PortChoiceDialog::PortChoiceDialog(PortChoiceModel& model, const Page& page, QWidget* parent)
    : QDialog(parent), model_(model), okOffDuringAutoselect_(page.okOffDuringAutoselect) {
    setWindowTitle(page.title);
    auto* group = new QGroupBox(page.groupTitle, this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int index = 0; index < page.labels.size(); ++index) {
        auto* button = new QRadioButton(page.labels[index], group);
        choices.push_back(button);
        groupLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, index] { model_.choice = index; });
    }
    okButton = new QPushButton("&OK", this);
    cancelButton = new QPushButton("&Cancel", this);
    autoselectButton = new QPushButton(page.autoselectText, this);
    okButton->setDefault(true);
    PlaceBesideButtonColumn(*this, group, {okButton, cancelButton, autoselectButton});

    connect(okButton, &QPushButton::clicked, this, &PortChoiceDialog::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &PortChoiceDialog::OnCancel);
    connect(autoselectButton, &QPushButton::clicked, this, &PortChoiceDialog::OnAutoselect);
}

void PortChoiceDialog::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(choices.size())) return;
    model_.choice = index;
    Sync();
}

void PortChoiceDialog::Sync() {
    choices[static_cast<std::size_t>(model_.choice)]->setChecked(true);
    okButton->setEnabled(model_.okEnabled);
}

void PortChoiceDialog::OnOk() {
    const DialogStep step = model_.Ok();
    Sync();
    FinishDialog(*this, step);
}

void PortChoiceDialog::OnCancel() { FinishDialog(*this, model_.Cancel()); }

void PortChoiceDialog::OnAutoselect() {
    if (okOffDuringAutoselect_) okButton->setEnabled(false);
    const DialogStep step = model_.Autoselect();
    Sync();
    FinishDialog(*this, step);
}

}  // namespace vantrel
