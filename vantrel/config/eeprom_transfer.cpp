#include "eeprom_transfer.h"

#include <chrono>
#include <thread>

#include "field_codec.h"
#include "message_texts.h"

namespace vantrel {
namespace {

constexpr int kAddressWordBase = 0x100;

int FlagValue(const DirectionRef& direction) {
    if (auto* flag = std::get_if<uint8_t*>(&direction)) return **flag;
    if (auto* flag = std::get_if<int32_t*>(&direction)) return **flag;
    return kRead;
}

}  // namespace

std::string UnconfirmedItemsText(int count) {
    return "Transfer Warning - " + std::to_string(count) + (count == 1 ? " item was" : " items were") +
           " not confirmed by the board\n"
           "A write was not acknowledged or a read failed its checksum; repeat the transfer";
}

std::string TransferStopText(int result, bool functionFailed) {
    if (result == 2 && functionFailed) return texts::kTransferFunctionFailed;
    if (result == 2) return texts::kTransferNotAcknowledged;
    if (result == 3) return texts::kTransferBadChecksum;
    return texts::kUploadFailed;
}

EepromTransfer::EepromTransfer(IBoardTransactor& board, ConfigFields& fields, const BoardCommandTable& commands)
    : pause([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }),
      board_(board),
      fields_(fields),
      commands_(commands) {}

int EepromTransfer::Transaction(uint8_t address, uint8_t command, int32_t* data, int pauseMs) {
    const int result = board_.Transact(address, command, data);
    if (pauseMs > 0 && pause) pause(pauseMs);
    return result;
}

int EepromTransfer::TransferWord(const TransferStep& item, int pauseMs) {
    using T = BoardCommandTable;
    if (item.setAddress) {
        int32_t address[4] = {kAddressWordBase + item.offset, 0, 0, 0};
        const int result = Transaction(board_.WriteAddress(), commands_[T::kEepromAddress], address, pauseMs);
        if (result != 0) return result;
    }
    if (item.field == nullptr && item.rawWord == nullptr) return 0;
    const int direction = item.fixedDirection >= 0 ? item.fixedDirection : FlagValue(item.direction);
    int32_t data[4] = {0, 0, 0, 0};
    if (direction == kRead) {
        const int result = Transaction(board_.ReadAddress(), commands_[T::kEepromData], data, pauseMs);
        if (result != 0) return result;
        const auto word = static_cast<uint16_t>(data[0] & 0xFFFF);
        if (item.rawWord != nullptr) {
            item.rawWord[0] = static_cast<uint8_t>(word & 0xFF);
            item.rawWord[1] = static_cast<uint8_t>(word >> 8);
        } else {
            DecodeBoardWord(*item.field, fields_, word);
        }
        return result;
    }
    data[0] = item.rawWord != nullptr ? item.rawWord[0] | item.rawWord[1] << 8 : EncodeTransferWord(*item.field, fields_);
    return Transaction(board_.WriteAddress(), commands_[T::kEepromData], data, pauseMs);
}

TransferOutcome EepromTransfer::Run(const TransferPlan& plan, const std::function<void()>& onStep) {
    TransferOutcome outcome;
    bool pointerKnown = true;
    for (std::size_t index = 0; index < plan.steps.size(); ++index) {
        const TransferStep& step = plan.steps[index];
        int result = 0;
        if (step.field != nullptr || step.rawWord != nullptr || step.setAddress) {
            TransferStep item = step;
            item.setAddress = step.setAddress || !pointerKnown;
            result = TransferWord(item, plan.pauseMs);
            for (int attempt = 0; result != 0 && step.failureCounts && attempt < retries; ++attempt) {
                ++outcome.retried;
                item.setAddress = true;
                result = TransferWord(item, plan.pauseMs);
            }
            pointerKnown = result == 0;
        }
        if (step.failureCounts && result != 0) {
            if (result == 1 || plan.anyFailureStops) {
                outcome.stopResult = result;
                outcome.functionFailed = result == 2 && board_.FunctionFailed();
                return outcome;
            }
            ++outcome.unconfirmed;
            outcome.unconfirmedSteps.push_back(index);
        }
        ++outcome.completed;
        if (onStep) onStep();
    }
    return outcome;
}

TransferOutcome EepromTransfer::TransferCycle(int cycle, const std::function<void()>& onStep) {
    return Run(CyclePlan(fields_, cycle), onStep);
}

TransferOutcome EepromTransfer::TransferSetpoints(const std::function<void()>& onStep) {
    return Run(SetpointsPlan(fields_, commands_), onStep);
}

TransferOutcome EepromTransfer::TransferSlots(int first, int last, const std::function<void()>& onStep) {
    return Run(SlotsPlan(fields_, first, last), onStep);
}

TransferOutcome EepromTransfer::TransferUpsExtras(int direction, const std::function<void()>& onStep) {
    return Run(UpsExtrasPlan(fields_, commands_, direction), onStep);
}

}  // namespace vantrel
