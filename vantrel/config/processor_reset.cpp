#include "processor_reset.h"

#include "message_texts.h"

namespace vantrel {
namespace {

constexpr int32_t kResetWord = 0x0004;

}  // namespace

int ProcessorReset(IBoardTransactor& board, const BoardCommandTable& commands, int32_t& CommBusy,
                   IPrompter& prompter) {
    if (CommBusy != 0) {
        prompter.Message(texts::kCommunicationsInProgress);
        return 1;
    }
    CommBusy = 1;
    int32_t data[4] = {kResetWord, 0, 0, 0};
    const int result = board.Transact(board.WriteAddress(), commands[BoardCommandTable::kProcessorReset], data);
    CommBusy = 0;
    if (result == 1) {
        prompter.Message(texts::kUploadFailed);
        return 1;
    }
    return 0;
}

}  // namespace vantrel
