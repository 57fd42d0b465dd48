#include "command_line.h"

namespace vantrel {
namespace {

bool ParseComMapping(const std::string& text, CommandLine& out) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return false;
    const std::string number = text.substr(0, eq);
    if (number.size() != 1 || number[0] < '1' || number[0] > '8') return false;
    out.comDevices[number[0] - '0'] = text.substr(eq + 1);
    return true;
}

// The firmware names of Setup's choices, or the numbers vantrel-cli --firmware takes.
bool ParseSimulatedFirmware(const std::string& text, FirmwareType& firmwareType) {
    static const std::map<std::string, FirmwareType> kNames = {
        {"standard", FirmwareType::Standard}, {"0", FirmwareType::Standard}, {"ups16", FirmwareType::UPS},
        {"1", FirmwareType::UPS},             {"ups18", FirmwareType::UPS18},  {"2", FirmwareType::UPS18},
    };
    const auto found = kNames.find(text);
    if (found == kNames.end()) return false;
    firmwareType = found->second;
    return true;
}

}  // namespace

std::string CommandLineUsage() {
    return "usage: vantrel [--com N=DEVICE]... [--simulate[=FIRMWARE]] [--wizard]\n"
           "  --com N=DEVICE         use DEVICE for COM N (1 to 8), e.g. --com 1=/dev/ttyUSB0\n"
           "  --simulate[=FIRMWARE]  run a simulated board, fresh from power-up, on COM1 and on\n"
           "                         the PC/104 bus at 300h; FIRMWARE is ups18 (the default),\n"
           "                         ups16 (Setup's \"IXEN - UPS16\") or standard\n"
           "  --wizard               start the profile wizard on the current profile at once\n"
           "                         (as Tools > Orvik)\n"
           "  --help                 show this text\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--simulate") {
            out.simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            out.simulate = true;
            const std::string firmware = arg.substr(11);
            if (!ParseSimulatedFirmware(firmware, out.simulatedFirmware)) {
                out.error = "unknown firmware \"" + firmware + "\" (expected ups18, ups16 or standard)";
                return out;
            }
        } else if (arg == "--wizard") {
            out.wizard = true;
        } else if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--com" || arg.rfind("--com=", 0) == 0) {
            std::string value;
            if (arg == "--com") {
                if (i + 1 >= args.size()) {
                    out.error = "--com needs N=DEVICE";
                    return out;
                }
                value = args[++i];
            } else {
                value = arg.substr(6);
            }
            if (!ParseComMapping(value, out)) {
                out.error = "bad --com mapping \"" + value + "\" (expected N=DEVICE with N 1 to 8)";
                return out;
            }
        } else {
            out.error = "unknown argument \"" + arg + "\"";
            return out;
        }
    }
    return out;
}

}  // namespace vantrel
