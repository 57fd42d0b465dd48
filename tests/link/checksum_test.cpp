#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vantrel/link/board_link.h"
#include "vantrel/link/link_checksum.h"

namespace {

struct ChecksumCase {
    const char* name;
    int firmwareType;
    std::vector<uint8_t> bytes;
    uint8_t expected;
};

std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

class ChecksumVectors : public testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumVectors, MatchTheGoldenValues) {
    const ChecksumCase& c = GetParam();
    vantrel::CBoardLink link;
    link.settings.FirmwareType = static_cast<vantrel::FirmwareType>(c.firmwareType);
    EXPECT_EQ(link.Checksum(c.bytes.data(), c.bytes.size()), c.expected);
    EXPECT_EQ(vantrel::FrameChecksum(static_cast<vantrel::FirmwareType>(c.firmwareType), c.bytes.data(), c.bytes.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Link, ChecksumVectors,
    testing::Values(ChecksumCase{"Crc8CheckValue", 2, Text("123456789"), 0xF4},
                    ChecksumCase{"Crc8Abc", 2, Text("abc"), 0x5F},
                    ChecksumCase{"Crc8WriteFrame", 2, {0x12, 0xA0, 0x34, 0x12}, 0xD0},
                    ChecksumCase{"Crc8ReadAnswer", 2, {0x13, 0xA0, 0x34, 0x12}, 0xC6},
                    ChecksumCase{"Crc8Empty", 2, {}, 0x00},
                    ChecksumCase{"SumAbcStandard", 0, Text("abc"), 0xDA},
                    ChecksumCase{"SumAbcUps", 1, Text("abc"), 0xDA},
                    ChecksumCase{"SumProbeFrame", 0, {0x12, 0xA0, 0x22, 0x00}, 0x2C},
                    ChecksumCase{"SumWriteFrame", 0, {0x12, 0xA0, 0x34, 0x12}, 0x08},
                    ChecksumCase{"SumEmpty", 0, {}, 0x00}),
    [](const testing::TestParamInfo<ChecksumCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(Checksum, SumMakesTheFrameAddUpToZero) {
    const std::vector<uint8_t> frame{0xFF, 0xFF, 0x80, 0x01, 0x7E};
    unsigned total = vantrel::SumChecksum(frame.data(), frame.size());
    for (uint8_t byte : frame) total += byte;
    EXPECT_EQ(total % 256, 0u);
}

TEST(Checksum, Crc8OfAMessageFollowedByItsCrcIsZero) {
    std::vector<uint8_t> message = Text("IXEN charger");
    message.push_back(vantrel::Crc8Checksum(message.data(), message.size()));
    EXPECT_EQ(vantrel::Crc8Checksum(message.data(), message.size()), 0x00);
}

}  // namespace
