#include "link_commands.h"

#include <cstdio>
#include <ostream>

#include "cli_context.h"
#include "terminal_text.h"
#include "vantrel/link/frame_layout.h"

namespace vantrel::cli {
namespace {

constexpr uint8_t kEepromAddressCommand = 0xA0;
constexpr int32_t kProbeWord = 0x0022;
constexpr std::size_t kIdentificationLength = 16;

int Report(CliContext& context, int result) {
    if (result != kTransactOk) context.err << "vantrel-cli: result " << result << " (" << ResultMeaning(result) << ")\n";
    return result;
}

// A word command byte; the block command 0x3F has a command of its own.
bool ParseWordCommand(CliContext& context, const std::string& text, uint8_t& command) {
    unsigned value = 0;
    if (!ParseNumber(text, 0xFF, value)) {
        context.err << "vantrel-cli: CMD must be a byte (0 to 255 or 0x00 to 0xFF), got '" << text << "'\n";
        return false;
    }
    if (value == FrameLayout::kBlockCommand) {
        context.err << "vantrel-cli: command 0x3F carries 16 bytes; use 'id'\n";
        return false;
    }
    command = static_cast<uint8_t>(value);
    return true;
}

}  // namespace

const char* ResultMeaning(int result) {
    switch (result) {
        case kTransactNotSynchronised: return "the link could not be synchronised";
        case kTransactBadAck: return "wrong acknowledgement";
        case kTransactBadChecksum: return "wrong checksum";
        default: return "failed";
    }
}

int RunProbe(CliContext& context, const std::vector<std::string>& /*arguments*/) {
    if (!context.Connect()) return kTransactNotSynchronised;
    CBoardLink& link = context.link;
    int32_t word[4] = {kProbeWord};
    int result = link.Transact(link.settings.BoardWriteAddress, kEepromAddressCommand, word);
    if (result == kTransactOk) result = link.Transact(link.settings.BoardReadAddress, kEepromAddressCommand, word);
    context.out << (result == kTransactOk ? "board answered" : "no answer from the board") << "\n";
    return Report(context, result);
}

int RunRead(CliContext& context, const std::vector<std::string>& arguments) {
    uint8_t command = 0;
    if (!ParseWordCommand(context, arguments[0], command)) return kExitUsage;
    if (!context.Connect()) return kTransactNotSynchronised;
    int32_t word[4] = {};
    const int result = context.link.Transact(context.link.settings.BoardReadAddress, command, word);
    if (result == kTransactOk) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(word[0]) & 0xFFFF);
        context.out << text << "\n";
    }
    return Report(context, result);
}

int RunWrite(CliContext& context, const std::vector<std::string>& arguments) {
    uint8_t command = 0;
    if (!ParseWordCommand(context, arguments[0], command)) return kExitUsage;
    unsigned value = 0;
    if (!ParseNumber(arguments[1], 0xFFFF, value)) {
        context.err << "vantrel-cli: WORD must be 0 to 65535 or 0x0000 to 0xFFFF, got '" << arguments[1] << "'\n";
        return kExitUsage;
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    int32_t word[4] = {static_cast<int32_t>(value)};
    return Report(context, context.link.Transact(context.link.settings.BoardWriteAddress, command, word));
}

int RunIdentification(CliContext& context, const std::vector<std::string>& /*arguments*/) {
    if (!context.Connect()) return kTransactNotSynchronised;
    CBoardLink& link = context.link;
    const int result = link.Transact(link.settings.BoardReadAddress, FrameLayout::kBlockCommand, nullptr);
    if (result == kTransactOk) {
        const std::string text = EscapedForTerminal(link.BoardIdentification.data(), kIdentificationLength);
        context.out << text << "\n";
    }
    return Report(context, result);
}

}  // namespace vantrel::cli
