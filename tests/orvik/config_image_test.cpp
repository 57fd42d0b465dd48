#include "orvik/image/config_image.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

struct LocationRow {
    std::string id;
    std::string address;
    int32_t length;
    std::string value;
};

TMemMap MakeMemory(const std::vector<LocationRow>& rows) {
    TMemMap memory;
    for (const LocationRow& row : rows) memory[row.id] = TMem{{"", row.value, {}}, row.address, row.length};
    return memory;
}

struct ImageCase {
    std::string name;
    std::vector<LocationRow> locations;
    std::vector<uint8_t> image;
};

class BuildImageTest : public testing::TestWithParam<ImageCase> {};

TEST_P(BuildImageTest, LaysOutLocations) { EXPECT_EQ(BuildImage(MakeMemory(GetParam().locations)), GetParam().image); }

std::vector<uint8_t> ZerosThen(std::size_t zeros, std::vector<uint8_t> tail) {
    tail.insert(tail.begin(), zeros, uint8_t{0});
    return tail;
}

const ImageCase kBuildImageRows[] = {
    ImageCase{"LeastSignificantByteFirst", {{"W", "0x10", 2, "4660"}}, ZerosThen(0x10, {0x34, 0x12})},
    ImageCase{"MinusOneIsAllOnes", {{"B", "0x00", 1, "-1"}}, {0xFF}},
    ImageCase{"FractionTruncated", {{"B", "0x00", 1, "3.9"}}, {3}},
    ImageCase{"HighBytesDropped", {{"B", "0x00", 1, "300"}}, {0x2C}},
    ImageCase{"GapsAreZero", {{"A", "0x00", 1, "4"}, {"D", "0x03", 1, "7"}}, {4, 0, 0, 7}},
    ImageCase{"FourBytes", {{"L", "0x00", 4, "305419896"}}, {0x78, 0x56, 0x34, 0x12}},
    ImageCase{"UnsignedText", {{"L", "0x00", 4, "4294967295"}}, {0xFF, 0xFF, 0xFF, 0xFF}},
    ImageCase{"TextWithoutNumberIsZero", {{"B", "0x01", 1, "fast"}}, {0, 0}},
    ImageCase{"LeadingNumberOfText", {{"B", "0x00", 1, "12kHz"}}, {12}},
    ImageCase{"OutOfRangeTextIsZero", {{"B", "0x00", 2, "1E999"}}, {0, 0}},
    ImageCase{"HigherAddressOverwritesOverlap",
              {{"A", "0x11", 1, "0"}, {"Z", "0x10", 2, "65535"}},
              ZerosThen(0x10, {0xFF, 0x00})},
    ImageCase{"NumericAddressOrder",
              {{"A", "0x1F0", 1, "1"}, {"B", "0x20", 1, "2"}},
              [] {
                  std::vector<uint8_t> image(0x1F1, 0);
                  image[0x20] = 2;
                  image[0x1F0] = 1;
                  return image;
              }()},
    ImageCase{"UnusableLocationsIgnored", {{"A", "0x2G", 1, "1"}, {"B", "0x01", 0, "1"}, {"C", "0x00", 1, "9"}}, {9}},
    ImageCase{"NoLocations", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(BuildImage, BuildImageTest, testing::ValuesIn(kBuildImageRows),
                         [](const testing::TestParamInfo<ImageCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace orvik
