#pragma once
#include "pc104_settings_model.h"
#include "port_choice_dialog.h"

namespace vantrel {

// "IXEN-104 Settings" (modal).
class Pc104SettingsDialog : public PortChoiceDialog {
    Q_OBJECT
public:
    explicit Pc104SettingsDialog(SetupContext& ctx, QWidget* parent = nullptr);

    Pc104SettingsModel& Model() { return model_; }
    void ChooseAddress(int index) { Choose(index); }  // 0 to 3, as a click would

private:
    Pc104SettingsModel model_;
};

}  // namespace vantrel
