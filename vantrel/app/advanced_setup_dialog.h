#pragma once
#include <QDialog>
#include <array>

#include "advanced_setup_model.h"

class QButtonGroup;
class QCheckBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vantrel {

// "Advanced Setup" (modeless, Init > Debug Setup). Building it runs the port scan.
class AdvancedSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdvancedSetupDialog(SetupContext& ctx, QWidget* parent = nullptr);

    AdvancedSetupModel& Model() { return model_; }

    // Port buttons by PortSelection value (1..8, 10..13).
    QRadioButton* PortButton(int port) const;
    std::array<QRadioButton*, 12> portButtons{};
    std::array<QRadioButton*, 3> protocolButtons{};  // by protocol value 0..2
    std::array<QRadioButton*, 3> firmwareButtons{};  // by FirmwareType
    QCheckBox* osprenBox = nullptr;
    QRadioButton* debugOnButton = nullptr;
    QRadioButton* debugOffButton = nullptr;
    QPushButton* autoSelectButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* okButton = nullptr;

public Q_SLOTS:
    void OnPort(int port);
    void OnProtocol(int protocol);
    void OnFirmware(int firmwareType);
    void OnOspren();
    void OnDebug(bool on);
    void OnAutoSelect();
    void OnOk();

private:
    void Sync();
    static void CheckOnly(QButtonGroup* group, QRadioButton* button);

    AdvancedSetupModel model_;
    QButtonGroup* portGroup_ = nullptr;
    QButtonGroup* protocolGroup_ = nullptr;
    QButtonGroup* firmwareGroup_ = nullptr;
    QButtonGroup* debugGroup_ = nullptr;
};

}  // namespace vantrel
