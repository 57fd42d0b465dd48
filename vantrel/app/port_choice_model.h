#pragma once
#include "setup_context.h"

namespace vantrel {

// What the two port pages share: the checked radio button, OK's state, and Cancel.
class PortChoiceModel {
public:
    int choice = 0;
    bool okEnabled = true;

    virtual DialogStep Ok() = 0;
    virtual DialogStep Autoselect() = 0;
    DialogStep Cancel() { return DialogStep::EndCancel; }

protected:
    explicit PortChoiceModel(SetupContext& ctx) : ctx_(ctx) {}
    ~PortChoiceModel() = default;

    SetupContext& ctx_;
};

}  // namespace vantrel
