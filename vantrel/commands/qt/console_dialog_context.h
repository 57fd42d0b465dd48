#pragma once
#include <cstdint>
#include <functional>

namespace vantrel {

// What a console window looks at each time it is shown.
struct ConsoleDialogContext {
    const int32_t& writeEnableFlag;       // "&Write" is enabled only while it is set
    std::function<int()> firmwareType;    // 0 Standard, 1 UPS, 2 UPS18
};

}  // namespace vantrel
