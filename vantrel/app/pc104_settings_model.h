#pragma once
#include "setup_context.h"

namespace vantrel {

// "IXEN-104 Settings": 300h to 360h (choice 0 to 3, PortSelection 10 to 13), OK, Cancel, Autoselect.
class Pc104SettingsModel {
public:
    explicit Pc104SettingsModel(SetupContext& ctx) : ctx_(ctx) {}

    int choice = 0;
    bool okEnabled = true;

    DialogStep Ok();
    DialogStep Autoselect();
    DialogStep Cancel() { return DialogStep::EndCancel; }

private:
    SetupContext& ctx_;
};

}  // namespace vantrel
