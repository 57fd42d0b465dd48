#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

inline constexpr const char* kInitialPercentText = "00.000 %";
inline constexpr const char* kInitialBytesText = "000000";

// What the update shows for a number of accepted characters: the bar advances
// one step for every 10 characters, from position 1.
struct FirmwareProgress {
    int barPosition = 1;
    double bytesSent = 0;
    double percentage = 0;

    // total: the counted total of the file (characters plus one).
    static FirmwareProgress After(uint64_t accepted, uint64_t total);
    std::string PercentText() const;  // "42.500 %"
    std::string BytesText() const;    // "425"
};

// The bar's range for a counted total: 1 to total / 10.
int ProgressBarMaximum(uint64_t total);

}  // namespace vantrel
