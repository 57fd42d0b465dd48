#include "firmware_stream.h"

#include "firmware_texts.h"
#include "program_file.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

// BootloaderExchange results.
constexpr int kCharacterAccepted = 0;
constexpr int kEndOfProgramming = 2;
constexpr uint8_t kLineFeed = '\n';

}  // namespace

std::string FailureMessage(const StreamResult& result) {
    switch (result.outcome) {
    case StreamOutcome::kFileNotOpened:
        return texts::kProgramFileNotFound;
    case StreamOutcome::kEndNotConfirmed:
        return std::string(texts::kEndNotConfirmed) + (result.lastLineEnded ? "" : texts::kLastLineUnended);
    default:
        return texts::kUploadFailed;
    }
}

StreamResult StreamProgramFile(CBoardLink& link, const std::string& path, const std::atomic<bool>& cancel,
                               const std::function<void(uint64_t accepted)>& accepted) {
    StreamResult result;
    ProgramFileReader file;
    if (!file.Open(path)) {
        result.outcome = StreamOutcome::kFileNotOpened;
        return result;
    }
    if (link.DrainInput() != 0) {
        result.outcome = StreamOutcome::kDrainFailed;
        return result;
    }
    uint8_t last = kLineFeed;
    for (;;) {
        if (cancel.load()) {
            result.outcome = StreamOutcome::kCancelled;
            break;
        }
        uint8_t character = 0;
        const ProgramFileReader::Read read = file.Next(character);
        if (read == ProgramFileReader::Read::kError) {
            result.outcome = StreamOutcome::kReadError;
            break;
        }
        if (read == ProgramFileReader::Read::kEnd) {
            // The bootloader has had the whole file without reporting the end of
            // programming: the board is not programmed.
            result.outcome = StreamOutcome::kEndNotConfirmed;
            result.lastLineEnded = last == kLineFeed;
            break;
        }
        last = character;
        const int answer = link.BootloaderExchange(character, 0);
        if (answer == kEndOfProgramming) {
            result.outcome = StreamOutcome::kProgrammed;
            break;
        }
        if (answer != kCharacterAccepted) {
            result.outcome = StreamOutcome::kRefused;
            break;
        }
        ++result.accepted;
        if (accepted) accepted(result.accepted);
    }
    return result;
}

}  // namespace vantrel
