#pragma once
#include <map>
#include <string>
#include <vector>

namespace vantrel {

// vantrel [--com N=DEVICE]... [--simulate]
struct CommandLine {
    std::map<int, std::string> comDevices;  // COM n (1 to 8) to a device path
    bool simulate = false;                  // a simulated board on COM1 and on the PC/104 bus
    bool help = false;
    std::string error;                      // not empty when the arguments are wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string CommandLineUsage();

}  // namespace vantrel
