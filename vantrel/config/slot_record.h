#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// One temperature sensor/controller slot: three words at 0xA0 + 6*s. With UPS
// firmware slots 8 to 11 hold the UPS counters instead.
struct SlotRecord {
    static constexpr int kWordCount = 3;

    std::array<uint8_t, kWordCount> addresses{};
    std::array<int32_t, kWordCount> words{};
    uint8_t direction = 0;  // 0 read, non-zero write; one flag for the whole slot
};

}  // namespace vantrel
