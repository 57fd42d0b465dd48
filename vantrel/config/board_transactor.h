#pragma once
#include <cstdint>

namespace vantrel {

// What a transfer needs of the link: one command transaction and the board
// addresses. CBoardLink satisfies it through LinkTransactor; tests use fakes.
class IBoardTransactor {
public:
    virtual ~IBoardTransactor() = default;
    // Result 0 success, 1 not synchronised (nothing sent), 2 bad acknowledgement,
    // 3 read checksum wrong. A word read arrives in data[0] as d0 + 256 * d1.
    virtual int Transact(uint8_t address, uint8_t command, int32_t* data) = 0;
    // The last result 2 was the board's failure byte 0xFE: the board understood
    // the frame and refused it (a failed function), rather than a line fault.
    virtual bool FunctionFailed() const { return false; }
    virtual uint8_t WriteAddress() const = 0;
    virtual uint8_t ReadAddress() const = 0;
};

}  // namespace vantrel
