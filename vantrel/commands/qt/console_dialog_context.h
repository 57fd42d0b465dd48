#pragma once
#include <cstdint>
#include <functional>

#include "vantrel/link/link_settings.h"

namespace vantrel {

// What a console window looks at each time it is shown.
struct ConsoleDialogContext {
    const int32_t& writeEnableFlag;       // "&Write" is enabled only while it is set
    std::function<FirmwareType()> firmwareType;
};

}  // namespace vantrel
