#include <ostream>

#include "cli_context.h"
#include "config_command_support.h"
#include "config_commands.h"
#include "vantrel/config/processor_reset.h"

namespace vantrel::cli {
namespace {

// Keeps the result of the last transaction, which the reset itself only tells apart from 1.
class ResultKeeper : public IBoardTransactor {
public:
    explicit ResultKeeper(IBoardTransactor& inner) : inner_(inner) {}
    int Transact(uint8_t address, uint8_t command, int32_t* data) override {
        last = inner_.Transact(address, command, data);
        return last;
    }
    uint8_t WriteAddress() const override { return inner_.WriteAddress(); }
    uint8_t ReadAddress() const override { return inner_.ReadAddress(); }

    int last = 0;

private:
    IBoardTransactor& inner_;
};

}  // namespace

int RunReset(CliContext& context, const std::vector<std::string>& /*arguments*/) {
    if (!context.Connect()) return kTransactNotSynchronised;
    ConfigFields fields;
    BoardSession board(context, fields);
    ResultKeeper keeper(board.transactor);
    ProcessorReset(keeper, board.commands, board.busy, board.session.prompter);
    if (keeper.last == kTransactBadAck || keeper.last == kTransactBadChecksum) {
        context.err << "vantrel-cli: the board did not confirm the reset (result " << keeper.last << ")\n";
    }
    return keeper.last;
}

}  // namespace vantrel::cli
