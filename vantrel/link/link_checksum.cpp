#include "link_checksum.h"

#include <array>

namespace vantrel {
namespace {

constexpr std::array<uint8_t, 256> MakeCrc8Table() {
    std::array<uint8_t, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            c = static_cast<uint8_t>((c & 0x80) ? (c << 1) ^ 0x07 : (c << 1));
        }
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint8_t, 256> kCrc8Table = MakeCrc8Table();

}  // namespace

uint8_t Crc8Checksum(const uint8_t* bytes, std::size_t count) {
    uint8_t crc = 0;
    for (std::size_t i = 0; i < count; ++i) crc = kCrc8Table[crc ^ bytes[i]];
    return crc;
}

uint8_t SumChecksum(const uint8_t* bytes, std::size_t count) {
    uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return static_cast<uint8_t>(-sum);
}

uint8_t FrameChecksum(FirmwareType firmwareType, const uint8_t* bytes, std::size_t count) {
    return firmwareType == FirmwareType::UPS18 ? Crc8Checksum(bytes, count) : SumChecksum(bytes, count);
}

}  // namespace vantrel
