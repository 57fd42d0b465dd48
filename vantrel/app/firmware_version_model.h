#pragma once
#include "setup_context.h"

namespace vantrel {

class ISetupDialogRunner;

// "Firmware Version", the first page of the guided setup.
class FirmwareVersionModel {
public:
    // choice: 0 UPS16, 1 UPS18; kept by the caller from one Setup to the next.
    FirmwareVersionModel(SetupContext& ctx, ISetupDialogRunner& runner, int& choice)
        : ctx_(ctx), runner_(runner), choice_(choice) {}

    int Choice() const { return choice_; }
    void SetChoice(int choice) { choice_ = choice == 1 ? 1 : 0; }

    DialogStep Next();
    DialogStep QuickConnect();
    DialogStep Close() { return DialogStep::EndCancel; }

private:
    SetupContext& ctx_;
    ISetupDialogRunner& runner_;
    int& choice_;
};

}  // namespace vantrel
