#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "cli_context.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/link_transactor.h"

namespace vantrel::cli {

// Keeps every transaction's result, which the passes only tell apart from 1.
class ResultRecorder : public IBoardTransactor {
public:
    explicit ResultRecorder(IBoardTransactor& inner) : inner_(inner) {}
    int Transact(uint8_t address, uint8_t command, int32_t* data) override {
        const int result = inner_.Transact(address, command, data);
        if (result != 0) {
            failed[command] = result;
            if (first == 0) first = result;
        }
        return result;
    }
    uint8_t WriteAddress() const override { return inner_.WriteAddress(); }
    uint8_t ReadAddress() const override { return inner_.ReadAddress(); }

    std::map<uint8_t, int> failed;  // command -> its last result other than 0
    int first = 0;

private:
    IBoardTransactor& inner_;
};

// The consoles over the command line's link, for one command.
struct ConsoleSession {
    explicit ConsoleSession(CliContext& context)
        : transactor(context.link),
          recorder(transactor),
          identification(context.link.BoardIdentification.data()),
          consoles({recorder, commands, busy, context.prompter, polling, context.link.BoardIdentification.data()},
                   flags) {
        consoles.ApplyFirmwareType(context.options.firmware());
    }

    LinkTransactor transactor;
    ResultRecorder recorder;
    BoardCommandTable commands;
    int32_t busy = 0;
    int32_t polling = 0;
    const char* identification;
    ConsoleEnableFlags flags;
    CommandConsoles consoles;
};

// The line a live value's name stands for, when the firmware offers it; otherwise
// nothing, with the reason on standard error.
std::optional<ConsoleLineRef> ResolveLiveValue(CliContext& context, const CommandConsoles& consoles,
                                               const std::string& name);

}  // namespace vantrel::cli
