#include "cli_context.h"

#include <cstring>
#include <exception>
#include <ostream>
#include <utility>

namespace vantrel::cli {

CliContext::CliContext(CliOptions options_, std::ostream& out_, std::ostream& err_, SimulatorStart simulator,
                       SimulatorBootloader simulatorBootloader)
    : options(std::move(options_)),
      out(out_),
      err(err_),
      prompter(err_),
      simulator_(std::move(simulator)),
      simulatorBootloader_(std::move(simulatorBootloader)) {
    link.SetPrompter(&prompter);
}

CliContext::~CliContext() = default;

bool CliContext::Connect() {
    if (connected_) return true;
    LinkSettings& settings = link.settings;
    settings.PortSelection = static_cast<uint16_t>(options.portSelection);
    settings.LinkProtocol = static_cast<uint16_t>(options.linkProtocol);
    settings.FirmwareType = static_cast<FirmwareType>(options.firmwareType);
    settings.SelectorAddressing = static_cast<uint16_t>(options.selectorAddressing);
    settings.BoardWriteAddress = options.selectorAddressing == 1 ? 0x14 : 0x12;
    settings.BoardReadAddress = static_cast<uint8_t>(settings.BoardWriteAddress | 1);
    for (const auto& [port, device] : options.comDevices) link.SetComDevice(port, device);

    const int selection = options.portSelection;
    if (options.simulate) {
        if (!simulator_) {
            err << "vantrel-cli: this build has no simulated board\n";
            return false;
        }
        try {
            simulatedBoard = simulator_(link);
        } catch (const std::exception& e) {
            err << "vantrel-cli: cannot start the simulated board: " << e.what() << "\n";
            return false;
        }
    }
    if (IsSerialSelection(selection) && link.Open(selection, 9600) == 0) {
        err << "vantrel-cli: cannot open COM" << selection << " (" << link.ComDevice(selection)
            << "): " << link.LastOpenError().Reason() << "\n";
    }
    connected_ = true;
    return true;
}

void CliContext::EnterSimulatedBootloader() {
    if (simulatedBoard && simulatorBootloader_) simulatorBootloader_(simulatedBoard);
}

void CliContext::ReportLinkProblems() {
    if (!connected_) return;
    if (!link.PortIoError().empty()) err << "vantrel-cli: " << link.PortIoError() << "\n";
    if (link.DeviceLost()) err << "vantrel-cli: the serial device went away\n";
}

}  // namespace vantrel::cli
