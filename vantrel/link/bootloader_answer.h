#pragma once
#include <atomic>
#include <cstdint>
#include <ctime>
#include <optional>

#include "transport.h"

namespace vantrel::bootloader {

constexpr uint8_t kRecordStart = ':';
constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kRecordAccepted = '*';
// Measured in whole wall-clock seconds, so it lasts between one and two seconds.
constexpr std::time_t kAnswerLimitSeconds = 2;

inline bool LimitReached(std::time_t start) { return std::time(nullptr) - start >= kAnswerLimitSeconds; }

// Both paths' reading of answer c to a record's start or to a data character
// (not a line feed: each path reads that its own way); empty while the answer
// is still to come.
std::optional<BootloaderAnswer> RecordAnswer(uint8_t ch, uint8_t c, std::atomic<uint8_t>& sequence);

}  // namespace vantrel::bootloader
