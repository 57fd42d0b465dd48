#include "pc104_settings_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_finish.h"

namespace vantrel {

Pc104SettingsDialog::Pc104SettingsDialog(SetupContext& ctx, QWidget* parent) : QDialog(parent), model_(ctx) {
    setWindowTitle("IXEN-104 Settings");
    static const char* const labels[] = {"PC-104 3&00h", "PC-104 3&10h", "PC-104 3&20h", "PC-104 3&60h"};
    auto* group = new QGroupBox("PC-104", this);
    auto* groupLayout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const int index = static_cast<int>(i);
        addresses[i] = new QRadioButton(labels[i], group);
        groupLayout->addWidget(addresses[i]);
        connect(addresses[i], &QRadioButton::clicked, this, [this, index] { model_.choice = index; });
    }
    okButton = new QPushButton("&OK", this);
    cancelButton = new QPushButton("&Cancel", this);
    autoselectButton = new QPushButton("&Autoselect", this);
    okButton->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(autoselectButton);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &Pc104SettingsDialog::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &Pc104SettingsDialog::OnCancel);
    connect(autoselectButton, &QPushButton::clicked, this, &Pc104SettingsDialog::OnAutoselect);
    Sync();
}

void Pc104SettingsDialog::ChooseAddress(int index) {
    if (index < 0 || index >= static_cast<int>(addresses.size())) return;
    model_.choice = index;
    Sync();
}

void Pc104SettingsDialog::Sync() {
    addresses[static_cast<std::size_t>(model_.choice)]->setChecked(true);
    okButton->setEnabled(model_.okEnabled);
}

void Pc104SettingsDialog::OnOk() {
    const DialogStep step = model_.Ok();
    Sync();
    FinishDialog(*this, step);
}

void Pc104SettingsDialog::OnCancel() { FinishDialog(*this, model_.Cancel()); }

void Pc104SettingsDialog::OnAutoselect() {
    const DialogStep step = model_.Autoselect();
    Sync();
    FinishDialog(*this, step);
}

}  // namespace vantrel
