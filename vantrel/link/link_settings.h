#pragma once
#include <cstdint>

namespace vantrel {

// The board's firmware variant. UPS adds the UPS counters; UPS18 adds the realtime
// clock and the I2C alarm commands, and its frames carry a CRC-8 checksum.
enum class FirmwareType : uint16_t { Standard = 0, UPS = 1, UPS18 = 2 };
constexpr int kFirmwareTypeCount = 3;

// The link settings every transaction is built from. One instance lives in the
// link object; the configuration record sets the defaults and the settings file
// restores PortSelection, LinkProtocol and FirmwareType.
struct LinkSettings {
    uint16_t PortSelection = 1;       // 1..8 COM n, 10..13 PC/104 at 0x300/0x310/0x320/0x360
    uint16_t LinkProtocol = 0;        // 0 bus timer + checksum, 1 bus timer, 2 neither
    vantrel::FirmwareType FirmwareType = vantrel::FirmwareType::UPS18;
    uint16_t SelectorAddressing = 0;  // 0: 0x12/0x13, 1: 0x14/0x15
    int32_t DebugMode = 0;            // 1: "Function Error" when the board answers 0xFE
    int32_t TraceEnabled = 1;         // 1: bytes go into the link trace
    uint8_t BoardWriteAddress = 0x12;
    uint8_t BoardReadAddress = 0x13;

    void ResetToDefaults() { *this = LinkSettings{}; }
};

// PortSelection values.
constexpr bool IsSerialSelection(int sel) { return sel >= 1 && sel <= 8; }
constexpr bool IsPc104Selection(int sel) { return sel >= 10 && sel <= 13; }
// The serial selections that drain their input and reach the bootloader: all
// of them, as a COM number is whatever device it is mapped to.
constexpr bool IsBootloaderSerialSelection(int sel) { return IsSerialSelection(sel); }
constexpr uint16_t Pc104Address(int sel) {
    constexpr uint16_t addresses[] = {0x300, 0x310, 0x320, 0x360};
    return IsPc104Selection(sel) ? addresses[sel - 10] : 0;
}

}  // namespace vantrel
