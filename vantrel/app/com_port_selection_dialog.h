#pragma once
#include "com_port_selection_model.h"
#include "port_choice_dialog.h"

namespace vantrel {

// "COM Port Selection" (modal).
class ComPortSelectionDialog : public PortChoiceDialog {
    Q_OBJECT
public:
    explicit ComPortSelectionDialog(SetupContext& ctx, QWidget* parent = nullptr);

    ComPortSelectionModel& Model() { return model_; }
    void ChoosePort(int index) { Choose(index); }  // 0 to 7, as a click would

private:
    ComPortSelectionModel model_;
};

}  // namespace vantrel
