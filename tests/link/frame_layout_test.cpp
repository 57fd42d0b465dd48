#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vantrel/link/frame_layout.h"

namespace {

using vantrel::BuildHostBytes;
using vantrel::FrameLayout;

struct FrameCase {
    const char* name;
    uint8_t address;
    uint8_t command;
    int protocol;
    int firmwareType;
    std::vector<int32_t> data;
    std::vector<uint8_t> hostBytes;
    int positions;
};

class HostFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(HostFrames, AreTheGoldenBytes) {
    const FrameCase& c = GetParam();
    const FrameLayout layout = FrameLayout::For(c.address, c.command, c.protocol);
    EXPECT_EQ(BuildHostBytes(layout, c.address, c.command, c.data.data(), static_cast<vantrel::FirmwareType>(c.firmwareType)), c.hostBytes);
    EXPECT_EQ(layout.Positions(), c.positions);
}

const std::vector<int32_t> kWord1234{0x1234};
const std::vector<int32_t> kBlock{0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D};

INSTANTIATE_TEST_SUITE_P(
    Link, HostFrames,
    testing::Values(
        FrameCase{"WriteSumChecksum", 0x12, 0xA0, 0, 0, kWord1234, {0x12, 0xA0, 0x34, 0x12, 0x08}, 5},
        FrameCase{"WriteCrcChecksum", 0x12, 0xA0, 0, 2, kWord1234, {0x12, 0xA0, 0x34, 0x12, 0xD0}, 5},
        FrameCase{"WriteBusTimerNoChecksum", 0x12, 0xA0, 1, 2, kWord1234, {0x12, 0xA0, 0x34, 0x12}, 4},
        FrameCase{"WriteNoBusTimer", 0x12, 0xA0, 2, 2, kWord1234, {0x12, 0xA0, 0x34, 0x12}, 4},
        FrameCase{"ReadClockedWithChecksum", 0x13, 0xA0, 0, 2, {}, {0x13, 0xA0, 0x02, 0x03, 0xFF}, 5},
        FrameCase{"ReadClockedNoChecksum", 0x13, 0xA0, 1, 2, {}, {0x13, 0xA0, 0x02, 0xFF}, 4},
        FrameCase{"ReadUnclocked", 0x13, 0xA0, 2, 2, {}, {0x13, 0xA0}, 4},
        FrameCase{"ReadAltAddress", 0x15, 0x14, 1, 0, {}, {0x15, 0x14, 0x02, 0xFF}, 4},
        FrameCase{"BlockReadClocked",
                  0x13, 0x3F, 0, 2, {},
                  {0x13, 0x3F, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 0xFF}, 19},
        FrameCase{"BlockWriteTakesFourElementsLowByteFirst",
                  0x12, 0x3F, 1, 2, kBlock,
                  {0x12, 0x3F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 18}),
    [](const testing::TestParamInfo<FrameCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(FrameLayout, AcknowledgementsArePositionsWithFfLast) {
    const FrameLayout layout = FrameLayout::For(0x12, 0xA0, 0);
    std::vector<uint8_t> acks;
    for (int i = 0; i < layout.Positions(); ++i) acks.push_back(layout.Acknowledgement(i));
    EXPECT_EQ(acks, (std::vector<uint8_t>{0x00, 0x01, 0x02, 0x03, 0xFF}));
    EXPECT_EQ(layout.AnswerLimit(), 5);
    EXPECT_EQ(FrameLayout::For(0x13, 0xA0, 0).AnswerLimit(), 4);  // no answer to the final clock byte
}

TEST(FrameLayout, WriteWithoutDataSendsZeros) {
    const FrameLayout layout = FrameLayout::For(0x12, 0xA0, 1);
    EXPECT_EQ(BuildHostBytes(layout, 0x12, 0xA0, nullptr, vantrel::FirmwareType::UPS18), (std::vector<uint8_t>{0x12, 0xA0, 0x00, 0x00}));
}

}  // namespace
