#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "orvik/definition/location_address.h"
#include "orvik/image/config_image.h"
#include "orvik/image/profile_reader.h"
#include "orvik/image/profile_writer.h"
#include "orvik_test_support.h"

namespace orvik {
namespace {

// One data record with a correct checksum; digits upper case unless lower is asked for.
std::string Record(uint32_t address, const std::vector<uint8_t>& data, int type = 0, bool lower = false) {
    std::string text = ":";
    uint32_t sum = static_cast<uint32_t>(data.size()) + (address >> 8) + (address & 0xFF) + static_cast<uint32_t>(type);
    const auto hex = [&text, lower](uint32_t byte) {
        char digits[3];
        std::snprintf(digits, sizeof digits, lower ? "%02x" : "%02X", byte & 0xFF);
        text += digits;
    };
    hex(static_cast<uint32_t>(data.size()));
    hex(address >> 8);
    hex(address);
    hex(static_cast<uint32_t>(type));
    for (uint8_t byte : data) {
        hex(byte);
        sum += byte;
    }
    hex(0x100 - (sum & 0xFF));
    return text;
}

// Locations B00 to B0F of one byte, W10 of two bytes at 0x10, B12 to B1F of one byte.
TMemMap SampleMemory() {
    TMemMap memory;
    for (uint32_t offset = 0; offset < 0x20; ++offset) {
        if (offset == 0x11) continue;
        const std::string address = FormatLocationAddress(offset);
        const std::string id = (offset == 0x10 ? "W" : "B") + address.substr(2);
        memory[id] = TMem{{"", "", {}}, address, offset == 0x10 ? 2 : 1};
    }
    return memory;
}

TEST(ProfileWriterTest, WritesHeaderSixteenByteRecordsAndEnd) {
    std::vector<uint8_t> image(0x12, 0);
    image[0x10] = 0x34;
    image[0x11] = 0x12;
    EXPECT_EQ(FormatProfile(image),
              ":0200000400F00A\r\n"
              ":1042000000000000000000000000000000000000AE\r\n"
              ":02421000341266\r\n"
              ":00000001FF\r\n");
}

TEST(ProfileWriterTest, UpperCaseDigitsAndLastRecordHoldsTheRest) {
    std::vector<uint8_t> image(33);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(0xE0 + i);
    std::istringstream lines(FormatProfile(image));
    std::vector<std::string> records;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        records.push_back(line);
    }
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1], Record(0x4200, std::vector<uint8_t>(image.begin(), image.begin() + 16)));
    EXPECT_EQ(records[2], Record(0x4210, std::vector<uint8_t>(image.begin() + 16, image.begin() + 32)));
    EXPECT_EQ(records[3], Record(0x4220, {image[32]}));
    EXPECT_EQ(records[4], ":00000001FF");
    for (const std::string& record : records) EXPECT_EQ(record.find_first_of("abcdef"), std::string::npos) << record;
}

TEST(ProfileWriterTest, EmptyImageHasOnlyHeaderAndEnd) {
    EXPECT_EQ(FormatProfile({}), ":0200000400F00A\r\n:00000001FF\r\n");
}

TEST(ProfileWriterTest, UnwritableFileWritesNothing) {
    const std::string path = testing::TempDir() + "/no such folder/profile.psd";
    EXPECT_FALSE(WriteProfile(path, SampleMemory()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// A profile text and the reader's answer.
struct ReadCase {
    std::string name;
    std::vector<std::string> lines;
    int code;
    std::string detail;
};

class ProfileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReportsCodeAndDetail) {
    std::string text;
    for (const std::string& line : GetParam().lines) text += line + "\r\n";
    std::istringstream input(text);
    TMemMap memory = SampleMemory();
    ProfileReader reader;
    const ProfileReadResult result = reader.Read(input, "test.psd", memory);
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_EQ(result.detail, GetParam().detail);
}

const std::string kHeader = ":0200000400F00A";
const std::string kEnd = ":00000001FF";

std::string WithChecksum(std::string record, const std::string& checksum) {
    return record.substr(0, record.size() - 2) + checksum;
}

const ReadCase kReadRows[] = {
    ReadCase{"WrittenProfile", {kHeader, Record(0x4200, std::vector<uint8_t>(16, 1)), kEnd}, kReadOk, ""},
    ReadCase{"OnlyHeaderAndEnd", {kHeader, kEnd}, kReadOk, ""},
    ReadCase{"ShortLinesIgnored", {"", "junk", ":02420000FFFF00", kEnd}, kReadOk, ""},
    ReadCase{"NoColon", {kHeader, "x" + Record(0x4200, {1, 2, 3}).substr(1)}, kReadNoRecord, " on line 1 of test.psd."},
    ReadCase{"CountNotHex", {kHeader, ":G3420000010203F0"}, kReadBadCount, " on line 1 of test.psd."},
    ReadCase{"AddressNotHex", {":034Z0000010203F0"}, kReadBadAddress, " on line 0 of test.psd."},
    ReadCase{"TypeNotHex", {":0342000G010203F0"}, kReadBadType, " on line 0 of test.psd."},
    ReadCase{"UnknownAddress",
             {kHeader, Record(0x4240, {1, 2, 3})},
             kReadUnknownAddress,
             "Address 0x40 not found in profile config. on line 1 of test.psd."},
    ReadCase{"DataEndsEarly", {kHeader, ":10420000010203E0"}, kReadDataShort, " on line 1 of test.psd."},
    ReadCase{"ChecksumNotHex",
             {kHeader, WithChecksum(Record(0x4200, {1, 2, 3}), "ZZ")},
             kReadBadChecksum,
             " on line 1 of test.psd."},
    ReadCase{"ChecksumMismatch",
             {kHeader, WithChecksum(Record(0x4200, std::vector<uint8_t>(16, 0)), "AF")},
             kReadChecksumMismatch,
             "Expected 0xAE got 0xAF on line 1 of test.psd."},
    ReadCase{"ChecksumWithoutLeadingZeros",
             {WithChecksum(Record(0x4200, {0x10, 0x00, 0xA4}), "0A")},
             kReadChecksumMismatch,
             "Expected 0x7 got 0xA on line 0 of test.psd."},
    ReadCase{"LineTooLong",
             {kHeader, ":" + std::string(511, '0')},
             kReadLineTooLong,
             "Line longer than 511 characters on line 1 of test.psd."},
    ReadCase{"DataNotHex",
             {kHeader, ":03420000G10203F0"},
             kReadBadData,
             "Data of location B00 is not hexadecimal on line 1 of test.psd."},
    ReadCase{"LocationPastItsRecord",
             {kHeader, Record(0x420E, {1, 2, 0x34}), kEnd},
             kReadPastRecord,
             "Location W10 at 0x10 runs past the end of its record on line 1 of test.psd."},
    ReadCase{"LocationBytesCutShort", {kHeader, ":044210003456789"}, kReadDataShort, " on line 1 of test.psd."},
    ReadCase{"FirstFailureWins",
             {kHeader, Record(0x4240, {1, 2, 3}), "not a record at all"},
             kReadUnknownAddress,
             "Address 0x40 not found in profile config. on line 1 of test.psd."},
};

INSTANTIATE_TEST_SUITE_P(Read, ProfileReadTest, testing::ValuesIn(kReadRows),
                         [](const testing::TestParamInfo<ReadCase>& testInfo) { return testInfo.param.name; });

TEST(ProfileReaderTest, StoresUnsignedValuesLeastSignificantByteFirst) {
    std::istringstream input(kHeader + "\r\n" + Record(0x4210, {0x34, 0x12, 0xFF}) + "\r\n" + kEnd + "\r\n");
    TMemMap memory = SampleMemory();
    ProfileReader reader;
    ASSERT_TRUE(reader.Read(input, "p.psd", memory).Ok());
    EXPECT_EQ(memory.at("W10").value, "4660");
    EXPECT_EQ(memory.at("B12").value, "255");
}

TEST(ProfileReaderTest, RecordTypeIsNotExamined) {
    std::istringstream input(Record(0x4200, {7, 8, 9}, 1) + "\n");
    TMemMap memory = SampleMemory();
    ProfileReader reader;
    ASSERT_TRUE(reader.Read(input, "p.psd", memory).Ok());
    EXPECT_EQ(memory.at("B02").value, "9");
}

TEST(ProfileReaderTest, OnlyTheLowNineAddressBitsSelectLocations) {
    for (uint32_t base : {0x4200u, 0x0000u, 0x4400u}) {
        std::istringstream input(Record(base + 4, {1, 2, 3}) + "\n");
        TMemMap memory = SampleMemory();
        ProfileReader reader;
        ASSERT_TRUE(reader.Read(input, "p.psd", memory).Ok()) << base;
        EXPECT_EQ(memory.at("B06").value, "3") << base;
    }
}

TEST(ProfileReaderTest, ValuesBeforeTheFailureStayStored) {
    std::istringstream input(kHeader + "\r\n" + WithChecksum(Record(0x4200, {5, 6, 7}), "00") + "\r\n");
    TMemMap memory = SampleMemory();
    ProfileReader reader;
    const ProfileReadResult result = reader.Read(input, "profile.psd", memory);
    EXPECT_EQ(result.code, kReadChecksumMismatch);
    EXPECT_EQ(memory.at("B00").value, "5");
    EXPECT_EQ(memory.at("B02").value, "7");
}

TEST(ProfileReaderTest, AddressKeysAreNormalised) {
    TMemMap memory;
    memory["Low"] = TMem{{"", "", {}}, "0x1f", 1};
    memory["Short"] = TMem{{"", "", {}}, "0x5", 1};
    memory["Rest"] = TMem{{"", "", {}}, "0x006", 2};
    memory["Upper"] = TMem{{"", "", {}}, "0x20", 2};
    std::istringstream input(Record(0x421F, {0xAB, 1, 2}) + "\n" + Record(0x4205, {0xCD, 3, 4}) + "\n");
    ProfileReader reader;
    ASSERT_TRUE(reader.Read(input, "p.psd", memory).Ok());
    EXPECT_EQ(memory.at("Low").value, "171");
    EXPECT_EQ(memory.at("Short").value, "205");
}

TEST(ProfileReaderTest, UnopenableFileIsCodeOneAndSaysWhy) {
    TMemMap memory = SampleMemory();
    ProfileReader reader;
    const ProfileReadResult missing = reader.Read("/nonexistent/folder/profile.psd", memory);
    EXPECT_EQ(missing.code, kReadNoRecord);
    EXPECT_EQ(missing.detail, "Cannot open /nonexistent/folder/profile.psd: No such file or directory");

    // An empty name is the current folder: a folder, never read as a profile.
    const ProfileReadResult empty = reader.Read("", memory);
    EXPECT_EQ(empty.code, kReadNoRecord);
    EXPECT_NE(empty.detail, "");
}

TEST(ProfileReaderTest, FailureTextsAndCaption) {
    test::RecordingReporter reporter;
    ReportReadFailure({kReadChecksumMismatch, "Expected 0x3C got 0x3D on line 1 of profile.psd."}, reporter);
    ReportReadFailure({kReadUnknownAddress, "Address 0x40 not found in profile config. on line 2 of p.psd."}, reporter);
    ReportReadFailure({kReadNoRecord, ""}, reporter);
    EXPECT_EQ(reporter.messages,
              (std::vector<test::RecordingReporter::Message>{
                  {"ERROR", "Checksum error:\nExpected 0x3C got 0x3D on line 1 of profile.psd."},
                  {"ERROR", "Undefined error: \nAddress 0x40 not found in profile config. on line 2 of p.psd."},
                  {"ERROR", "Undefined error: \n"}}));
}

TEST(ProfileFileTest, WrittenFileReadsBackToTheSameValues) {
    TMemMap written = SampleMemory();
    int n = 0;
    for (auto& [id, location] : written) location.value = std::to_string(location.length == 2 ? 4660 : 17 * n++ % 256);
    const std::string path = testing::TempDir() + "/orvik_round_trip.psd";
    ASSERT_TRUE(WriteProfile(path, written));

    TMemMap read = SampleMemory();
    ProfileReader reader;
    const ProfileReadResult result = reader.Read(path, read);
    EXPECT_TRUE(result.Ok()) << result.detail;
    for (const auto& [id, location] : written) EXPECT_EQ(read.at(id).value, location.value) << id;
    std::filesystem::remove(path);
}

TEST(ProfileFileTest, NegativeAndFractionalValuesReadBackAsTheirBytes) {
    TMemMap written = SampleMemory();
    written.at("B00").value = "-1";
    written.at("B01").value = "3.9";
    written.at("W10").value = "-2";
    std::istringstream input(FormatProfile(BuildImage(written)));
    TMemMap read = SampleMemory();
    ProfileReader reader;
    ASSERT_TRUE(reader.Read(input, "p.psd", read).Ok());
    EXPECT_EQ(read.at("B00").value, "255");
    EXPECT_EQ(read.at("B01").value, "3");
    EXPECT_EQ(read.at("W10").value, "65534");
}

// The utility writes all 256 bytes in lower case.
std::string UtilityProfile() {
    std::string text = kHeader + "\r\n";
    for (uint32_t n = 0; n < 16; ++n) {
        std::vector<uint8_t> data(16);
        for (uint32_t i = 0; i < 16; ++i) data[i] = static_cast<uint8_t>(0xA0 + i);
        text += Record(0x4200 + 16 * n, data, 0, true) + "\r\n";
    }
    return text + kEnd + "\r\n";
}

TEST(ProfileFileTest, UtilityProfileReadsWhenEveryOffsetIsCovered) {
    TMemMap memory;
    for (uint32_t offset = 0; offset < 256; offset += 2) {
        memory["W" + FormatLocationAddress(offset)] = TMem{{"", "", {}}, FormatLocationAddress(offset), 2};
    }
    std::istringstream input(UtilityProfile());
    ProfileReader reader;
    const ProfileReadResult result = reader.Read(input, "utility.psd", memory);
    EXPECT_TRUE(result.Ok()) << result.detail;
    EXPECT_EQ(memory.at("W0x00").value, std::to_string(0xA1A0));
    EXPECT_EQ(memory.at("W0xFE").value, std::to_string(0xAFAE));
}

TEST(ProfileFileTest, UtilityProfileFailsAtAGapOffset) {
    TMemMap memory;
    for (uint32_t offset = 0; offset < 256; ++offset) {
        if (offset == 0x35) continue;
        memory[FormatLocationAddress(offset)] = TMem{{"", "", {}}, FormatLocationAddress(offset), 1};
    }
    std::istringstream input(UtilityProfile());
    ProfileReader reader;
    const ProfileReadResult result = reader.Read(input, "utility.psd", memory);
    EXPECT_EQ(result.code, kReadUnknownAddress);
    EXPECT_EQ(result.detail, "Address 0x35 not found in profile config. on line 4 of utility.psd.");
}

}  // namespace
}  // namespace orvik
