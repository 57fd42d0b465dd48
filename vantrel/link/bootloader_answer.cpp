#include "bootloader_answer.h"

namespace vantrel::bootloader {

std::optional<BootloaderAnswer> RecordAnswer(uint8_t ch, uint8_t c, std::atomic<uint8_t>& sequence) {
    if (ch == kRecordStart) {
        if (c == kRecordAccepted) {
            sequence = kRecordAccepted;
            return BootloaderAnswer::kAccepted;
        }
        if (c > kRecordAccepted) return BootloaderAnswer::kRefused;
    } else if (c == sequence.load() + 1) {
        // A sequence byte of 0xFF is never matched: the count does not wrap.
        sequence = c;
        return BootloaderAnswer::kAccepted;
    }
    return std::nullopt;
}

}  // namespace vantrel::bootloader
