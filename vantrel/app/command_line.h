#pragma once
#include <map>
#include <string>
#include <vector>

#include "vantrel/link/link_settings.h"

namespace vantrel {

// Exit status of a command line that cannot be understood (nothing was done).
inline constexpr int kExitUsage = 64;

// vantrel [--com N=DEVICE]... [--simulate[=FIRMWARE]] [--wizard]
struct CommandLine {
    std::map<int, std::string> comDevices;  // COM n (1 to 8) to a device path
    bool simulate = false;                  // a simulated board on COM1 and on the PC/104 bus
    FirmwareType simulatedFirmware = FirmwareType::UPS18;  // its firmware
    bool wizard = false;                    // Tools > Orvik as soon as the window is up
    bool help = false;
    std::string error;                      // not empty when the arguments are wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string CommandLineUsage();

}  // namespace vantrel
