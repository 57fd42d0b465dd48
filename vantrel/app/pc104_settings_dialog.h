#pragma once
#include <QDialog>
#include <array>

#include "pc104_settings_model.h"

class QRadioButton;
class QPushButton;

namespace vantrel {

// "IXEN-104 Settings" (modal).
class Pc104SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit Pc104SettingsDialog(SetupContext& ctx, QWidget* parent = nullptr);

    Pc104SettingsModel& Model() { return model_; }
    void ChooseAddress(int index);  // 0 to 3, as a click would

    std::array<QRadioButton*, 4> addresses{};
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* autoselectButton = nullptr;

public Q_SLOTS:
    void OnOk();
    void OnCancel();
    void OnAutoselect();

private:
    void Sync();
    Pc104SettingsModel model_;
};

}  // namespace vantrel
