#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "temp_folder.h"
#include "vantrel/config/profile_reader.h"

namespace vantrel {
namespace {

const std::string kPath = "/profiles/test.psd";
const std::string kFirst = ":0200000400F00A\r\n";
const std::string kEnd = ":00000001FF\r\n";

// A data record with its correct checksum, lower-case digits.
std::string Record(unsigned address, const std::vector<uint8_t>& bytes, int checksumDelta = 0) {
    unsigned sum = static_cast<unsigned>(bytes.size()) + (address >> 8) + (address & 0xFF);
    char text[16];
    std::snprintf(text, sizeof text, ":%02x%04x00", static_cast<unsigned>(bytes.size()), address);
    std::string line = text;
    for (uint8_t b : bytes) {
        sum += b;
        std::snprintf(text, sizeof text, "%02x", b);
        line += text;
    }
    std::snprintf(text, sizeof text, "%02x", (0x100 - (sum & 0xFF) + static_cast<unsigned>(checksumDelta)) & 0xFF);
    return line + text + "\r\n";
}

EepromImage Erased() {
    EepromImage image;
    image.fill(0xFF);
    return image;
}

TEST(ProfileReader, ReadsRecordsByTheLowAddressByte) {
    EepromImage image = Erased();
    const std::string text = kFirst + Record(0x4210, {1, 2, 3}) + Record(0x4aFE, {0xAA, 0xBB, 0xCC}) + kEnd;
    ASSERT_EQ(ReadProfileText(text, kPath, image), std::nullopt);
    EXPECT_EQ(image[0x10], 1);
    EXPECT_EQ(image[0x12], 3);
    EXPECT_EQ(image[0xFE], 0xAA);
    EXPECT_EQ(image[0xFF], 0xBB);  // 0xCC would lie beyond 0xFF and is dropped
    EXPECT_EQ(image[0x00], 0xFF);  // not supplied
}

TEST(ProfileReader, OnlyTheFirstLineAndTheEndRecordIsValid) {
    EepromImage image = Erased();
    EXPECT_EQ(ReadProfileText(kFirst + kEnd, kPath, image), std::nullopt);
    EXPECT_EQ(image, Erased());
}

TEST(ProfileReader, AcceptsEitherCaseShortLinesAndBareLineFeeds) {
    EepromImage image = Erased();
    const std::string text = ":0200000400f00a\nshort\n\n:01422000128b\n:00000001FF\n";
    ASSERT_EQ(ReadProfileText(text, kPath, image), std::nullopt);
    EXPECT_EQ(image[0x20], 0x12);
    std::string upper = ":01422000128B\n";
    image = Erased();
    ASSERT_EQ(ReadProfileText(kFirst + upper, kPath, image), std::nullopt);
    EXPECT_EQ(image[0x20], 0x12);
}

struct FailureCase {
    const char* name;
    std::string text;
    std::string failure;
};

class ProfileReaderFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ProfileReaderFailure, GivesItsText) {
    EepromImage image = Erased();
    EXPECT_EQ(ReadProfileText(GetParam().text, kPath, image), GetParam().failure);
}

const std::string kGood = Record(0x4200, std::vector<uint8_t>(16, 0));
const std::string kOnLine3 = " on line 3 of /profiles/test.psd.";

INSTANTIATE_TEST_SUITE_P(
    Texts, ProfileReaderFailure,
    testing::Values(
        FailureCase{"WrongChecksum", kFirst + kGood + Record(0x4210, std::vector<uint8_t>(16, 0), 1) + kEnd,
                    "Expected 0x9E got 0x9F" + kOnLine3},
        FailureCase{"ChecksumWithoutLeadingZeros", kFirst + kGood + ":014220008f05\r\n",
                    "Expected 0xE got 0x5" + kOnLine3},
        FailureCase{"NoColon", kFirst + kGood + "x01422000128b\r\n", kOnLine3},
        FailureCase{"BadCount", kFirst + kGood + ":g1422000128b\r\n", kOnLine3},
        FailureCase{"BadAddress", kFirst + kGood + ":014x2000128b\r\n", kOnLine3},
        FailureCase{"BadType", kFirst + kGood + ":0142200z128b\r\n", kOnLine3},
        FailureCase{"BadData", kFirst + kGood + ":01422000q28b\r\n", kOnLine3},
        FailureCase{"DataMissing", kFirst + kGood + ":104220000102cb\r\n", kOnLine3},
        FailureCase{"ChecksumMissing", kFirst + kGood + ":0242200001020\r\n", kOnLine3},
        FailureCase{"SkippedLinesCount", kFirst + "\r\nshort\r\nx01422000128b\r\n",
                    " on line 4 of /profiles/test.psd."},
        FailureCase{"FirstLineTooShort", ":0200000400F00\r\n" + kGood,
                    "File Read Error: Line 1 of /profiles/test.psd must be 15 characters long (found 14)"},
        FailureCase{"FirstLineTooLong", ":0200000400F00AA\r\n" + kGood,
                    "File Read Error: Line 1 of /profiles/test.psd must be 15 characters long (found 16)"},
        FailureCase{"EmptyFile", "", "File Read Error: /profiles/test.psd is empty"},
        FailureCase{"LineOver511Characters", kFirst + ":" + std::string(511, '0') + "\r\n" + kGood,
                    "File Read Error: Line 2 of /profiles/test.psd is longer than 511 characters"},
        FailureCase{"FirstLineOver511Characters", std::string(600, ':') + "\r\n" + kGood,
                    "File Read Error: Line 1 of /profiles/test.psd is longer than 511 characters"}),
    [](const testing::TestParamInfo<FailureCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(ProfileReader, FileThatCannotBeOpenedIsNamed) {
    EepromImage image = Erased();
    const testing_support::TempFolder temp;
    const std::string missing = temp.File("missing/a.psd");
    EXPECT_EQ(ReadProfileFile(missing, image), "File Read Error: Cannot open " + missing + ": No such file or directory");
    const std::string folder = temp.Path().string();
    EXPECT_EQ(ReadProfileFile(folder, image), "File Read Error: Cannot open " + folder + ": Is a directory");
}

TEST(ProfileReader, ReadsAFile) {
    const testing_support::TempFolder folder;
    const std::string path = folder.File("a.psd");
    testing_support::WriteBytes(path, kFirst + Record(0x4230, {9, 8}) + kEnd);
    EepromImage image = Erased();
    EXPECT_EQ(ReadProfileFile(path, image), std::nullopt);
    EXPECT_EQ(image[0x30], 9);
    EXPECT_EQ(image[0x31], 8);
}

}  // namespace
}  // namespace vantrel
