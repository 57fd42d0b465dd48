#include <chrono>

#include "board_link.h"
#include "link_checksum.h"

namespace vantrel {
namespace {

constexpr uint8_t kHandshake = 0xF0;
constexpr uint8_t kFunctionFailed = 0xFE;
constexpr int kHandshakeAttempts = 5;
// More than any answer holds; a board that keeps talking cannot hold a transaction forever.
constexpr std::size_t kMaxQueuedAnswer = 256;

}  // namespace

uint8_t CBoardLink::Checksum(const uint8_t* bytes, std::size_t count) const {
    return FrameChecksum(settings.FirmwareType, bytes, count);
}

bool CBoardLink::Synchronise() {
    if (resyncNeeded.load() == 0) return true;
    bool inStep = false;
    if (Transport().HasInputQueue()) {
        // Whatever waits is stale; a trailing 0xF0 is the answer to an earlier handshake.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(drainTimeLimit.load());
        bool received = false;
        uint8_t last = 0;
        while (BytesAvailable() > 0 && std::chrono::steady_clock::now() < giveUp) {
            last = ReadByte();
            received = true;
        }
        inStep = received && last == kHandshake;
    }
    for (int attempt = 0; !inStep && attempt < kHandshakeAttempts; ++attempt) {
        WriteByte(kHandshake);
        inStep = ReadByte() == kHandshake;
    }
    if (inStep) resyncNeeded = 0;
    return inStep;
}

void CBoardLink::ReceiveWaiting(std::vector<uint8_t>& answer, std::size_t limit) {
    while (answer.size() < limit && BytesAvailable() > 0) answer.push_back(ReadByte());
}

int CBoardLink::RunExchange(const FrameLayout& layout, const std::vector<uint8_t>& hostBytes,
                            std::vector<uint8_t>& answer) {
    // The PC/104 bus has no queue (it always claims a byte is waiting): there the
    // answer is only collected byte by byte at the end.
    const bool hasQueue = Transport().HasInputQueue();
    const std::size_t expected = static_cast<std::size_t>(layout.ExpectedUnclockedAnswers());
    for (int i = 0; i < layout.Positions(); ++i) {
        if (i < static_cast<int>(hostBytes.size())) WriteByte(hostBytes[static_cast<std::size_t>(i)]);
        if (i == 0 || layout.busTimer) {
            if (i < layout.AnswerLimit()) {
                const uint8_t byte = ReadByte();
                answer.push_back(byte);
                if (!layout.isRead && byte != layout.Acknowledgement(i)) return kTransactBadAck;
            }
            if (layout.busTimer) continue;
        }
        if (hasQueue) ReceiveWaiting(answer, kMaxQueuedAnswer);
    }
    if (!layout.busTimer) {
        while (answer.size() < expected) answer.push_back(ReadByte());
    }
    return kTransactOk;
}

int CBoardLink::FailedExchange(uint8_t wrongByte) {
    lastFunctionFailed = wrongByte == kFunctionFailed;
    if (lastFunctionFailed) {
        // The board understood the frame and refused it: the link is still in step.
        if (settings.DebugMode == 1) prompter_->Message("Function Error");
    } else {
        resyncNeeded = 1;
        (void)Synchronise();  // not reported: the next transaction tries again
    }
    return kTransactBadAck;
}

int CBoardLink::Transact(uint8_t address, uint8_t command, int32_t* data, int /*unused*/) {
    lastFunctionFailed = false;
    if (!Synchronise()) return kTransactNotSynchronised;
    trace.CommitTrace();
    const FrameLayout layout = FrameLayout::For(address, command, settings.LinkProtocol);
    const std::vector<uint8_t> hostBytes = BuildHostBytes(layout, address, command, data, settings.FirmwareType);
    std::vector<uint8_t> answer;
    const int exchanged = RunExchange(layout, hostBytes, answer);
    trace.CommitTrace();
    if (exchanged != kTransactOk) return FailedExchange(answer.back());

    const int n = layout.dataCount;
    if (layout.isRead) {
        if (layout.withChecksum) {
            std::vector<uint8_t> covered{address, command};
            covered.insert(covered.end(), answer.begin() + 1, answer.begin() + 1 + n);
            if (Checksum(covered.data(), covered.size()) != answer.back()) return kTransactBadChecksum;
        }
        if (command == FrameLayout::kBlockCommand) {
            const auto count = static_cast<std::size_t>(n);
            for (std::size_t i = 0; i < count; ++i) BoardIdentification[i] = static_cast<char>(answer[i + 1]);
            BoardIdentification[count] = '\0';
        } else if (data != nullptr) {
            for (int i = 0; i < n; ++i) {
                uint32_t element = (i % 4 == 0) ? 0 : static_cast<uint32_t>(data[i / 4]);
                element |= static_cast<uint32_t>(answer[static_cast<std::size_t>(i + 1)]) << (8 * (i % 4));
                data[i / 4] = static_cast<int32_t>(element);
            }
        }
        return kTransactOk;
    }
    if (!layout.busTimer) {
        // Without the bus timer the acknowledgements arrive in bulk and are checked here.
        for (int i = 0; i <= n + 1; ++i) {
            if (answer[static_cast<std::size_t>(i)] != layout.Acknowledgement(i)) return FailedExchange(answer[static_cast<std::size_t>(i)]);
        }
    }
    return kTransactOk;
}

}  // namespace vantrel
