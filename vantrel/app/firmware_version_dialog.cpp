#include "firmware_version_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "button_column_layout.h"
#include "dialog_finish.h"

namespace vantrel {

FirmwareVersionDialog::FirmwareVersionDialog(SetupContext& ctx, ISetupDialogRunner& runner, int& choice,
                                             QWidget* parent)
    : QDialog(parent), model_(ctx, runner, choice) {
    setWindowTitle("Firmware Version");
    auto* group = new QGroupBox("Firmware Selection", this);
    auto* groupLayout = new QVBoxLayout(group);
    ups16 = new QRadioButton("IXEN - &UPS16", group);
    ups18 = new QRadioButton("IXEN - UPS1&8", group);
    ospren = new QRadioButton("&OSPREN--use advanced setup", group);
    ospren->setEnabled(false);
    groupLayout->addWidget(ups16);
    groupLayout->addWidget(ups18);
    groupLayout->addWidget(ospren);
    (model_.Choice() == 1 ? ups18 : ups16)->setChecked(true);

    nextButton = new QPushButton("&Next...", this);
    quickConnectButton = new QPushButton("&Quick Connect", this);
    closeButton = new QPushButton("&Close", this);
    nextButton->setDefault(true);
    nextButton->setAutoDefault(true);
    PlaceBesideButtonColumn(*this, group, {nextButton, quickConnectButton, closeButton});

    connect(ups16, &QRadioButton::clicked, this, [this] { model_.SetChoice(0); });
    connect(ups18, &QRadioButton::clicked, this, [this] { model_.SetChoice(1); });
    connect(nextButton, &QPushButton::clicked, this, &FirmwareVersionDialog::OnNext);
    connect(quickConnectButton, &QPushButton::clicked, this, &FirmwareVersionDialog::OnQuickConnect);
    connect(closeButton, &QPushButton::clicked, this, &FirmwareVersionDialog::OnClose);
}

void FirmwareVersionDialog::OnNext() { FinishDialog(*this, model_.Next()); }
void FirmwareVersionDialog::OnQuickConnect() { FinishDialog(*this, model_.QuickConnect()); }
void FirmwareVersionDialog::OnClose() { FinishDialog(*this, model_.Close()); }

}  // namespace vantrel
