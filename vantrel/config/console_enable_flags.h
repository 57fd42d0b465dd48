#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// The enable flags of the console rows that the settings file keeps between
// runs (1 = row enabled), each array in row order top to bottom.
struct ConsoleEnableFlags {
    std::array<int32_t, 13> smbus{};        // SMBus console
    std::array<int32_t, 16> temperature{};  // the "Read I2C Temperature" rows
    std::array<int32_t, 12> other{};        // other-commands console
    std::array<int32_t, 2> i2c{};           // the first two rows of the I2C console

    bool operator==(const ConsoleEnableFlags&) const = default;
};

}  // namespace vantrel
