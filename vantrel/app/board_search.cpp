#include "board_search.h"

#include "port_refusal_notice.h"
#include "setup_messages.h"
#include "vantrel/link/board_link.h"

namespace vantrel {

std::string EstablishedOnPc104(int portSelection) {
    static const char* const names[] = {"300", "310", "320", "360"};
    const int index = IsPc104Selection(portSelection) ? portSelection - 10 : 0;
    return std::string("Communications established on PC104 ") + names[index];
}

bool OpenComForSelection(SetupContext& ctx, int port) {
    ctx.link.settings.PortSelection = static_cast<uint16_t>(port);
    if (ctx.link.IsOpen()) ctx.link.Close();
    if (ctx.link.Open(port, kSetupBaud) == 1) return true;
    ctx.refusals.ReportIfRefused(ctx.link, port);
    return false;
}

int ReadBoardCommand(CBoardLink& link, uint8_t command) {
    int32_t data[4] = {};
    return link.Transact(link.settings.BoardReadAddress, command, data, 0);
}

int WriteBoardCommand(CBoardLink& link, uint8_t command, int32_t value) {
    int32_t data[4] = {value, 0, 0, 0};
    return link.Transact(link.settings.BoardWriteAddress, command, data, 0);
}

ProbeOutcome ProbeWithProtocol(CBoardLink& link, int protocol) {
    link.settings.LinkProtocol = static_cast<uint16_t>(protocol);
    ProbeOutcome outcome;
    if (IsSerialSelection(link.settings.PortSelection) && !link.IsOpen()) return outcome;
    outcome.write = WriteBoardCommand(link, kEepromAddressCommand, kProbeValue);
    if (outcome.write != 0) return outcome;
    outcome.read = ReadBoardCommand(link, kEepromAddressCommand);
    return outcome;
}

SearchPlan ComSearchPlan() { return SearchPlan{{1, 2, 3, 4}, {2, 1, 0}, {}}; }

SearchPlan Pc104SearchPlan() { return SearchPlan{{10, 11, 12, 13}, {}, {1, 0}}; }

SearchPlan AutoSelectPlan(int from) {
    SearchPlan plan{{}, {2, 1, 0}, {1, 0}};
    for (int port = from < 1 ? 1 : from; port <= 13; ++port)
        if (port != 9) plan.ports.push_back(port);
    return plan;
}

const std::vector<int>& ProtocolsFor(const SearchPlan& plan, int port) {
    return IsSerialSelection(port) ? plan.serialProtocols : plan.pc104Protocols;
}

int RunSearch(SetupContext& ctx, const SearchPlan& plan) {
    for (int port : plan.ports) {
        if (IsSerialSelection(port))
            OpenComForSelection(ctx, port);
        else
            ctx.link.settings.PortSelection = static_cast<uint16_t>(port);
        for (int protocol : ProtocolsFor(plan, port))
            if (ProbeWithProtocol(ctx.link, protocol).Ok()) return port;
    }
    return 0;
}

}  // namespace vantrel
