#include "advanced_setup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_finish.h"

namespace vantrel {
namespace {

int PortIndex(int port) { return port <= 8 ? port - 1 : port - 2; }

}  // namespace

AdvancedSetupDialog::AdvancedSetupDialog(SetupContext& ctx, QWidget* parent) : QDialog(parent), model_(ctx) {
    setWindowTitle("Advanced Setup");

    auto* access = new QGroupBox("Access Type", this);
    auto* accessLayout = new QGridLayout(access);
    portGroup_ = new QButtonGroup(this);
    static const char* const pc104Labels[] = {"PC 104(300h)", "PC-104(310h)", "PC-104(320h)", "PC-104(360h)"};
    for (int port = 1; port <= 13; ++port) {
        if (port == 9) continue;
        const QString label = port <= 8 ? QString("COM %1").arg(port) : QString(pc104Labels[port - 10]);
        auto* button = new QRadioButton(label, access);
        portButtons[static_cast<std::size_t>(PortIndex(port))] = button;
        portGroup_->addButton(button, port);
        const int index = PortIndex(port);
        accessLayout->addWidget(button, index % 4, index / 4);
        connect(button, &QRadioButton::clicked, this, [this, port] { OnPort(port); });
    }

    auto* protocol = new QGroupBox("Protocol", this);
    auto* protocolLayout = new QVBoxLayout(protocol);
    protocolGroup_ = new QButtonGroup(this);
    protocolButtons[2] = new QRadioButton(" &No Bus Timer and No Checksum ", protocol);
    protocolButtons[1] = new QRadioButton(" &Bus Timer and No Checksum ", protocol);
    protocolButtons[0] = new QRadioButton(" Bus Timer and &Checksum ", protocol);
    for (int p : {2, 1, 0}) {
        protocolLayout->addWidget(protocolButtons[static_cast<std::size_t>(p)]);
        protocolGroup_->addButton(protocolButtons[static_cast<std::size_t>(p)], p);
        connect(protocolButtons[static_cast<std::size_t>(p)], &QRadioButton::clicked, this,
                [this, p] { OnProtocol(p); });
    }

    auto* firmware = new QGroupBox("Firmware Type", this);
    auto* firmwareLayout = new QVBoxLayout(firmware);
    firmwareGroup_ = new QButtonGroup(this);
    firmwareButtons[0] = new QRadioButton("&IXEN - Standard", firmware);
    firmwareButtons[1] = new QRadioButton("IXEN - &UPS", firmware);
    firmwareButtons[2] = new QRadioButton("IXEN - U&PS18", firmware);
    for (int f = 0; f < 3; ++f) {
        firmwareLayout->addWidget(firmwareButtons[static_cast<std::size_t>(f)]);
        firmwareGroup_->addButton(firmwareButtons[static_cast<std::size_t>(f)], f);
        connect(firmwareButtons[static_cast<std::size_t>(f)], &QRadioButton::clicked, this,
                [this, f] { OnFirmware(f); });
    }
    osprenBox = new QCheckBox("OSPREN", this);
    connect(osprenBox, &QCheckBox::clicked, this, &AdvancedSetupDialog::OnOspren);

    auto* debug = new QGroupBox("Debug Mode", this);
    auto* debugLayout = new QHBoxLayout(debug);
    debugGroup_ = new QButtonGroup(this);
    debugOnButton = new QRadioButton("On", debug);
    debugOffButton = new QRadioButton("Off", debug);
    debugLayout->addWidget(debugOnButton);
    debugLayout->addWidget(debugOffButton);
    debugGroup_->addButton(debugOnButton);
    debugGroup_->addButton(debugOffButton);
    connect(debugOnButton, &QRadioButton::clicked, this, [this] { OnDebug(true); });
    connect(debugOffButton, &QRadioButton::clicked, this, [this] { OnDebug(false); });

    autoSelectButton = new QPushButton("&Auto Select", this);
    progressBar = new QProgressBar(this);
    progressBar->setTextVisible(false);
    okButton = new QPushButton("&OK", this);
    okButton->setDefault(true);
    connect(autoSelectButton, &QPushButton::clicked, this, &AdvancedSetupDialog::OnAutoSelect);
    connect(okButton, &QPushButton::clicked, this, &AdvancedSetupDialog::OnOk);

    auto* left = new QVBoxLayout;
    left->addWidget(access);
    left->addWidget(protocol);
    auto* right = new QVBoxLayout;
    right->addWidget(firmware);
    right->addWidget(osprenBox);
    right->addWidget(debug);
    right->addWidget(autoSelectButton);
    right->addWidget(new QLabel("Auto Select Progress", this));
    right->addWidget(progressBar);
    right->addStretch();
    right->addWidget(okButton);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);

    model_.Open();
    model_.changed = [this] {
        Sync();
        // The search holds the event loop; show its progress now.
        repaint();
    };
    Sync();
}

QRadioButton* AdvancedSetupDialog::PortButton(int port) const {
    if (port < 1 || port > 13 || port == 9) return nullptr;
    return portButtons[static_cast<std::size_t>(PortIndex(port))];
}

void AdvancedSetupDialog::CheckOnly(QButtonGroup* group, QRadioButton* button) {
    if (button) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot lose its last check mark.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

void AdvancedSetupDialog::Sync() {
    for (int port = 1; port <= 13; ++port)
        if (QRadioButton* b = PortButton(port)) b->setEnabled(model_.PortEnabled(port));
    CheckOnly(portGroup_, PortButton(model_.checkedPort));

    protocolButtons[2]->setEnabled(model_.noBusTimerEnabled);
    const int p = model_.checkedProtocol;
    CheckOnly(protocolGroup_, p >= 0 && p <= 2 ? protocolButtons[static_cast<std::size_t>(p)] : nullptr);

    for (std::size_t f = 0; f < 3; ++f) firmwareButtons[f]->setEnabled(model_.firmwareEnabled[f]);
    const int f = model_.checkedFirmware;
    CheckOnly(firmwareGroup_, f >= 0 && f <= 2 ? firmwareButtons[static_cast<std::size_t>(f)] : nullptr);

    osprenBox->setChecked(model_.osprenChecked);
    (model_.debugOn ? debugOnButton : debugOffButton)->setChecked(true);

    progressBar->setRange(model_.progress.minimum, model_.progress.maximum);
    progressBar->setValue(model_.progress.value);
    okButton->setEnabled(model_.okEnabled);
}

void AdvancedSetupDialog::OnPort(int port) {
    model_.ClickPort(port);
    Sync();
}

void AdvancedSetupDialog::OnProtocol(int protocol) {
    model_.ClickProtocol(protocol);
    Sync();
}

void AdvancedSetupDialog::OnFirmware(int firmwareType) {
    model_.ClickFirmware(firmwareType);
    Sync();
}

void AdvancedSetupDialog::OnOspren() {
    model_.ClickOspren();
    Sync();
}

void AdvancedSetupDialog::OnDebug(bool on) {
    model_.ClickDebug(on);
    Sync();
}

void AdvancedSetupDialog::OnAutoSelect() {
    model_.AutoSelect();
    Sync();
}

void AdvancedSetupDialog::OnOk() {
    okButton->setEnabled(false);
    const DialogStep step = model_.Apply();
    Sync();
    if (step == DialogStep::EndOk) hide();
}

}  // namespace vantrel
