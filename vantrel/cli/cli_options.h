#pragma once
#include <map>
#include <string>
#include <vector>

#include "vantrel/link/link_settings.h"

namespace vantrel::cli {

constexpr int kExitUsage = 64;

// What the command line asked for; the link settings keep their meaning.
struct CliOptions {
    std::map<int, std::string> comDevices;  // --com N=DEVICE
    int portSelection = 1;                  // --port
    int linkProtocol = 0;                   // --protocol
    int firmwareType = 2;                   // --firmware
    int selectorAddressing = 0;             // --selector
    bool trace = false;                     // --trace
    bool simulate = false;                  // --simulate
    std::string command;
    std::vector<std::string> arguments;

    FirmwareType firmware() const { return static_cast<FirmwareType>(firmwareType); }
};

// Parses argv[1..]. Options come before the command; everything after the
// command belongs to it. False with error set on a usage error.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// "0x"-hexadecimal or decimal, at most max; false for anything else.
bool ParseNumber(const std::string& text, unsigned max, unsigned& value);

}  // namespace vantrel::cli
