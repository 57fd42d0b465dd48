#include "com_port_selection_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_finish.h"

namespace vantrel {

ComPortSelectionDialog::ComPortSelectionDialog(SetupContext& ctx, QWidget* parent)
    : QDialog(parent), model_(ctx) {
    setWindowTitle("COM Port Selection");
    auto* group = new QGroupBox("COM Port Selection", this);
    auto* groupLayout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const int index = static_cast<int>(i);
        ports[i] = new QRadioButton(QString("COM &%1").arg(index + 1), group);
        groupLayout->addWidget(ports[i]);
        connect(ports[i], &QRadioButton::clicked, this, [this, index] { model_.choice = index; });
    }
    okButton = new QPushButton("&OK", this);
    cancelButton = new QPushButton("&Cancel", this);
    autoselectButton = new QPushButton("Autoselect", this);
    okButton->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(autoselectButton);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &ComPortSelectionDialog::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &ComPortSelectionDialog::OnCancel);
    connect(autoselectButton, &QPushButton::clicked, this, &ComPortSelectionDialog::OnAutoselect);
    Sync();
}

void ComPortSelectionDialog::ChoosePort(int index) {
    if (index < 0 || index >= static_cast<int>(ports.size())) return;
    model_.choice = index;
    Sync();
}

void ComPortSelectionDialog::Sync() {
    ports[static_cast<std::size_t>(model_.choice)]->setChecked(true);
    okButton->setEnabled(model_.okEnabled);
}

void ComPortSelectionDialog::OnOk() {
    const DialogStep step = model_.Ok();
    Sync();
    FinishDialog(*this, step);
}

void ComPortSelectionDialog::OnCancel() { FinishDialog(*this, model_.Cancel()); }

void ComPortSelectionDialog::OnAutoselect() {
    okButton->setEnabled(false);
    const DialogStep step = model_.Autoselect();
    Sync();
    FinishDialog(*this, step);
}

}  // namespace vantrel
