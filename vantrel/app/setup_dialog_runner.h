#pragma once
#include "setup_context.h"

namespace vantrel {

// Runs the modal dialogs of the guided setup. The dialogs start each other
// through it, so that tests can drive the chain without modal loops.
class ISetupDialogRunner {
public:
    virtual ~ISetupDialogRunner() = default;
    virtual DialogEnd RunFirmwareVersion() = 0;
    virtual DialogEnd RunDeviceType() = 0;
    virtual DialogEnd RunComPortSelection() = 0;
    virtual DialogEnd RunPc104Settings() = 0;
};

}  // namespace vantrel
