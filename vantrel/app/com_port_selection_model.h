#pragma once
#include "port_choice_model.h"

namespace vantrel {

// "COM Port Selection": COM 1 to COM 8 (choice 0 to 7), OK, Cancel, Autoselect.
class ComPortSelectionModel final : public PortChoiceModel {
public:
    explicit ComPortSelectionModel(SetupContext& ctx) : PortChoiceModel(ctx) {}

    DialogStep Ok() override;
    DialogStep Autoselect() override;
};

}  // namespace vantrel
