#include <gtest/gtest.h>

#include <cstdio>

#include "temp_folder.h"
#include "vantrel/config/word_layout_reader.h"

namespace vantrel {
namespace {

std::string HexRecord(unsigned address, const std::vector<uint8_t>& bytes, unsigned type = 0) {
    unsigned sum = static_cast<unsigned>(bytes.size()) + (address >> 8) + (address & 0xFF) + type;
    char text[16];
    std::snprintf(text, sizeof text, ":%02X%04X%02X", static_cast<unsigned>(bytes.size()), address, type);
    std::string line = text;
    for (uint8_t b : bytes) {
        sum += b;
        std::snprintf(text, sizeof text, "%02X", b);
        line += text;
    }
    std::snprintf(text, sizeof text, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + text + "\r\n";
}

// EEPROM bytes value(offset) as 32 records of eight words each, at 0x4200 to 0x43F0.
std::string EepromSection(uint8_t (*value)(int)) {
    std::string text;
    for (int r = 0; r < 32; ++r) {
        std::vector<uint8_t> words;
        for (int j = 0; j < 8; ++j) {
            words.push_back(value(8 * r + j));
            words.push_back(0x3F);  // the high byte of the program word, ignored
        }
        text += HexRecord(static_cast<unsigned>(0x4200 + 16 * r), words);
    }
    return text;
}

uint8_t Pattern(int offset) { return static_cast<uint8_t>(offset ^ 0x5A); }

EepromImage Erased() {
    EepromImage image;
    image.fill(0xFF);
    return image;
}

TEST(WordLayoutReader, LoadsAll256BytesAndIgnoresProgramMemory) {
    const std::string text = HexRecord(0x0000, {1, 2, 3, 4}) + EepromSection(Pattern) +
                             HexRecord(0x4400, {9, 9}) + HexRecord(0x41FE, {7, 7}) + ":00000001FF\r\n";
    EepromImage image = Erased();
    ReadWordLayoutText(text, image);
    for (int offset = 0; offset < 256; ++offset) EXPECT_EQ(image[static_cast<std::size_t>(offset)], Pattern(offset)) << offset;
}

TEST(WordLayoutReader, EndRecordStopsReading) {
    const std::string text = HexRecord(0x4200, {0x11, 0}) + ":00000001FF\r\n" + HexRecord(0x4202, {0x22, 0});
    EepromImage image = Erased();
    ReadWordLayoutText(text, image);
    EXPECT_EQ(image[0], 0x11);
    EXPECT_EQ(image[1], 0xFF);
}

TEST(WordLayoutReader, ReadsToTheEndWithoutAnEndRecord) {
    EepromImage image = Erased();
    ReadWordLayoutText(HexRecord(0x4210, {0x44, 0, 0x55, 0}) + HexRecord(0x43F0, {1, 0, 2, 0}), image);
    EXPECT_EQ(image[0x08], 0x44);
    EXPECT_EQ(image[0x09], 0x55);
    EXPECT_EQ(image[0xF8], 0x01);
    EXPECT_EQ(image[0xF9], 0x02);
}

TEST(WordLayoutReader, BytesBeyondTheEepromAreDropped) {
    EepromImage image = Erased();
    std::vector<uint8_t> words(40, 0);  // 20 words from offset 0xF8
    for (std::size_t i = 0; i < words.size(); i += 2) words[i] = static_cast<uint8_t>(i);
    ReadWordLayoutText(HexRecord(0x43F0, words), image);
    EXPECT_EQ(image[0xF8], 0);
    EXPECT_EQ(image[0xFF], 14);
}

TEST(WordLayoutReader, ToleratesLowerCaseAndStrayCharacters) {
    EepromImage image = Erased();
    ReadWordLayoutText("junk\r\n:02420000ab00ff\r\n:0q420200cd00ff\r\n:02420400zz00ff\r\n:02", image);
    EXPECT_EQ(image[0], 0xAB);  // lower-case digits
    EXPECT_EQ(image[1], 0xFF);  // record with a bad count ignored
    EXPECT_EQ(image[2], 0xFF);  // data that is not hexadecimal ignored
}

TEST(WordLayoutReader, RecordCutShortEndsTheRead) {
    // Each text stops inside the count, address or type of its last record.
    for (const char* text : {":0", ":02", ":0242", ":02420", ":0242000", ":024200000"}) {
        EepromImage image = Erased();
        ReadWordLayoutText(std::string(":02420000ab00ff\r\n") + text, image);
        EXPECT_EQ(image[0], 0xAB) << text;
    }
}

TEST(WordLayoutReader, MissingFileFails) {
    const testing_support::TempFolder folder;
    EepromImage image = Erased();
    EXPECT_EQ(ReadWordLayoutFile(folder.File("none.hex"), image), "File not Found");
    testing_support::WriteBytes(folder.File("a.hex"), HexRecord(0x4200, {0x12, 0}));
    EXPECT_EQ(ReadWordLayoutFile(folder.File("a.hex"), image), std::nullopt);
    EXPECT_EQ(image[0], 0x12);
}

}  // namespace
}  // namespace vantrel
