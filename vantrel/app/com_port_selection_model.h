#pragma once
#include "setup_context.h"

namespace vantrel {

// "COM Port Selection": COM 1 to COM 8 (choice 0 to 7), OK, Cancel, Autoselect.
class ComPortSelectionModel {
public:
    explicit ComPortSelectionModel(SetupContext& ctx) : ctx_(ctx) {}

    int choice = 0;
    bool okEnabled = true;

    DialogStep Ok();
    DialogStep Autoselect();
    DialogStep Cancel() { return DialogStep::EndCancel; }

private:
    SetupContext& ctx_;
};

}  // namespace vantrel
