#include <gtest/gtest.h>

#include <algorithm>

#include "vantrel/config/eeprom_verification.h"
#include "vantrel/config/field_listing.h"

namespace vantrel {
namespace {

constexpr FirmwareType kStandard = FirmwareType::Standard;
constexpr FirmwareType kUps18 = FirmwareType::UPS18;

TEST(EepromVerification, AWriteMovesAllButFutureUseCapacityWithoutUps18AndTheUnusedBytes) {
    const std::array<bool, 256> ups18 = WholeTransferBytes(kUps18);
    const std::array<bool, 256> standard = WholeTransferBytes(kStandard);
    for (std::size_t offset = 0; offset < 256; ++offset) {
        const bool futureUse = offset < 0x80 && offset % 0x20 >= 0x04 && offset % 0x20 <= 0x05;
        const bool capacity = offset < 0x80 && offset % 0x20 >= 0x02 && offset % 0x20 <= 0x03;
        const bool unused = offset >= 0x96 && offset <= 0x9D;
        EXPECT_EQ(ups18[offset], !futureUse && !unused) << offset;
        EXPECT_EQ(standard[offset], !futureUse && !unused && !capacity) << offset;
    }
}

TEST(EepromVerification, AStrayWordAnywhereIsListed) {
    EepromImage before;
    before.fill(0x11);
    EepromImage written;
    written.fill(0x22);
    const EepromImage expected = ExpectedAfterWrite(before, written, kUps18);
    EXPECT_EQ(expected[0x04], 0x11);  // future use keeps what the board held
    EXPECT_EQ(expected[0x06], 0x22);
    EXPECT_EQ(expected[0x96], 0x11);

    EepromImage board = expected;
    board[0x05] = 0x99;  // cycle 1 future use, never transferred
    board[0x9A] = 0x00;  // no field at all
    EXPECT_EQ(DifferingWords(expected, board), (std::vector<uint8_t>{0x04, 0x9A}));
    const std::string listed = ImageDifferences(expected, board, kUps18);
    EXPECT_NE(listed.find("0x04  cycle 1 future use"), std::string::npos) << listed;
    EXPECT_NE(listed.find("0x9A  not used"), std::string::npos) << listed;
    EXPECT_NE(listed.find("0x11  "), std::string::npos) << listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << listed;
}

}  // namespace
}  // namespace vantrel
