#pragma once
#include "port_choice_model.h"

namespace vantrel {

// "IXEN-104 Settings": 300h to 360h (choice 0 to 3, PortSelection 10 to 13), OK, Cancel, Autoselect.
class Pc104SettingsModel final : public PortChoiceModel {
public:
    explicit Pc104SettingsModel(SetupContext& ctx) : PortChoiceModel(ctx) {}

    DialogStep Ok() override;
    DialogStep Autoselect() override;
};

}  // namespace vantrel
