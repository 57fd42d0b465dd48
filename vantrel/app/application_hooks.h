#pragma once
#include <functional>
#include <string>

namespace vantrel {

// Menu commands whose work lives in other parts of the program. Each part fills
// its hook when it is built in; an empty hook makes its command do nothing.
struct ApplicationHooks {
    std::function<void()> runWizardOnNewProfile;      // File > New
    std::function<void()> runWizardOnCurrentProfile;  // Tools > Orvik
    std::function<void()> firmwareUpdate;             // Init > FW Update (modal)
    std::function<void(const std::string& fileName)> openManual;  // Help manuals, in the start directory
    std::function<void()> openWebHelp;
    std::function<void()> about;
    std::function<void()> pollTick;                   // every tick of the poll timer
};

// The manual each Help item opens.
inline constexpr const char* kVantrelManual = "Vantrel.pdf";
inline constexpr const char* kFirmwareManual = "IXEN-FW-MAN.pdf";
inline constexpr const char* kSerManual = "IXEN-SER-MAN.pdf";
inline constexpr const char* k104Manual = "IXEN-MAN.pdf";

}  // namespace vantrel
