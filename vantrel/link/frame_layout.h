#pragma once
#include <cstdint>
#include <vector>

#include "link_settings.h"

namespace vantrel {

// The shape of one transaction on the wire. Positions count from the address
// byte (0); a frame spans Positions() of them whatever the direction.
struct FrameLayout {
    static constexpr uint8_t kBlockCommand = 0x3F;  // carries 16 bytes instead of a word

    bool isRead = false;
    bool busTimer = true;      // protocols 0 and 1: every position is clocked and answered
    bool withChecksum = true;  // protocol 0
    int dataCount = 2;

    static FrameLayout For(uint8_t address, uint8_t command, int protocol);

    int Positions() const { return (withChecksum ? 1 : 0) + dataCount + 2; }
    int LastPosition() const { return Positions() - 1; }
    // Positions below this receive an answer byte: a read gets none for its final clock byte.
    int AnswerLimit() const { return isRead ? Positions() - 1 : Positions(); }
    // Answer bytes a well-behaved board sends without the bus timer.
    int ExpectedUnclockedAnswers() const { return isRead ? dataCount + 1 : dataCount + 2; }
    // What a write expects back at a position: the position itself, 0xFF at the last.
    uint8_t Acknowledgement(int position) const {
        return position == LastPosition() ? 0xFF : static_cast<uint8_t>(position);
    }
};

// Byte i of a data array: 32-bit elements, four bytes each, low byte first.
uint8_t DataByte(const int32_t* data, int index);

// The bytes the host sends, one per position; positions past the end send nothing
// (a read without the bus timer sends only the address and the command).
// data may be null for a read; a write without data sends zeros.
std::vector<uint8_t> BuildHostBytes(const FrameLayout& layout, uint8_t address, uint8_t command,
                                    const int32_t* data, FirmwareType firmwareType);

}  // namespace vantrel
