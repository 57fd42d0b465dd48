#include "firmware_progress.h"

#include <climits>
#include <cstdio>

namespace vantrel {
namespace {

constexpr uint64_t kCharactersPerStep = 10;

}  // namespace

FirmwareProgress FirmwareProgress::After(uint64_t accepted, uint64_t total) {
    FirmwareProgress progress;
    // The bar moves when the eleventh, the twenty-first, ... character is accepted.
    if (accepted > 0) {
        const uint64_t steps = (accepted - 1) / kCharactersPerStep;
        progress.barPosition = steps >= INT_MAX ? INT_MAX : static_cast<int>(steps) + 1;
    }
    progress.bytesSent = static_cast<double>(accepted);
    if (total != 0) progress.percentage = progress.bytesSent / static_cast<double>(total) * 100.0;
    return progress;
}

std::string FirmwareProgress::PercentText() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f %%", percentage);
    return text;
}

std::string FirmwareProgress::BytesText() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", bytesSent);
    return text;
}

int ProgressBarMaximum(uint64_t total) {
    const uint64_t maximum = total / kCharactersPerStep;
    return maximum >= INT_MAX ? INT_MAX : static_cast<int>(maximum);
}

}  // namespace vantrel
