#include <gtest/gtest.h>

#include "temp_folder.h"
#include "vantrel/config/settings_file.h"
#include "vantrel/config/text_mode.h"

namespace vantrel {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string Int(uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

TEST(TextMode, TranslatesLineFeedsAndEndsAtControlZ) {
    EXPECT_EQ(ToTextMode(std::string("a\nb\r", 4)), std::string("a\r\nb\r", 5));
    EXPECT_EQ(FromTextMode(std::string("a\r\nb\rc\x1A" "d", 8)), std::string("a\nb\rc", 5));
}

TEST(SettingsFile, DefaultLayoutIs1208Bytes) {
    SavedSettings settings;
    settings.workingDirectory = "/w";
    settings.enableFlags.smbus[0] = 1;
    settings.enableFlags.i2c[1] = 1;
    const std::string bytes = EncodeSettings(settings);
    ASSERT_EQ(bytes.size(), 1208u);
    EXPECT_EQ(bytes.substr(0, 12), Int(1) + Int(0) + Int(2));
    EXPECT_EQ(bytes.substr(12, 8), Int('/') + Int('w'));
    EXPECT_EQ(bytes.substr(20, 4), Int(0));
    EXPECT_EQ(bytes.substr(12 + 4 * 256, 4), Int(1));       // first SMBus flag
    EXPECT_EQ(bytes.substr(1208 - 4, 4), Int(1));           // second I2C flag
    EXPECT_EQ(bytes.substr(1208 - 8, 4), Int(0));
}

TEST(SettingsFile, PortSelection10GetsACarriageReturn) {
    SavedSettings settings;
    settings.PortSelection = 10;
    const std::string bytes = EncodeSettings(settings);
    ASSERT_EQ(bytes.size(), 1209u);
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x0D\x0A\x00\x00\x00", 5));
    SavedSettings back;
    DecodeSettings(bytes, back);
    EXPECT_EQ(back.PortSelection, 10);
    EXPECT_EQ(back, settings);
}

TEST(SettingsFile, CharactersAreSignExtended) {
    SavedSettings settings;
    settings.workingDirectory = "/\xC3\xA9";
    const std::string bytes = EncodeSettings(settings);
    EXPECT_EQ(bytes.substr(16, 8), Int(0xFFFFFFC3) + Int(0xFFFFFFA9));
    SavedSettings back;
    DecodeSettings(bytes, back);
    EXPECT_EQ(back.workingDirectory, settings.workingDirectory);
}

TEST(SettingsFile, RoundTripThroughAFile) {
    const TempFolder folder;
    SavedSettings settings;
    settings.PortSelection = 13;
    settings.LinkProtocol = 2;
    settings.FirmwareType = FirmwareType::UPS;
    settings.workingDirectory = std::string(256, 'd');  // exactly full: no terminating zero
    for (std::size_t i = 0; i < settings.enableFlags.temperature.size(); i += 3) settings.enableFlags.temperature[i] = 1;
    settings.enableFlags.other[11] = 1;
    ASSERT_TRUE(SaveSettingsFile(folder.File("Vantrel.ini"), settings));
    SavedSettings back;
    ASSERT_TRUE(LoadSettingsFile(folder.File("Vantrel.ini"), back));
    EXPECT_EQ(back, settings);
}

TEST(SettingsFile, APathTooLongToKeepIsNotCut) {
    SavedSettings settings;
    settings.workingDirectory = "/" + std::string(300, 'x');
    SavedSettings back;
    back.workingDirectory = "before";
    DecodeSettings(EncodeSettings(settings), back);
    EXPECT_EQ(back.workingDirectory, "");
}

TEST(SettingsFile, AFileThatEndsEarlyKeepsTheRest) {
    SavedSettings defaults;
    defaults.workingDirectory = "/default";
    defaults.enableFlags.other.fill(1);
    const struct {
        const char* name;
        std::string bytes;
        uint16_t port, protocol;
        FirmwareType firmware;
        std::string directory;
    } rows[] = {
        {"Empty", "", 1, 0, FirmwareType::UPS18, "/default"},
        {"PortOnly", Int(4), 4, 0, FirmwareType::UPS18, "/default"},
        {"PortAndHalfAnInteger", Int(4) + "\x01\x00", 4, 0, FirmwareType::UPS18, "/default"},
        {"DirectoryCut", Int(4) + Int(1) + Int(0) + Int('/') + Int('a'), 4, 1, FirmwareType::Standard, "/default"},
        {"DirectoryEnded", Int(4) + Int(1) + Int(0) + Int('/') + Int('a') + Int(0), 4, 1, FirmwareType::Standard, "/a"},
        {"ControlZEnds", Int(4) + Int(0x1A) + Int(0), 4, 0, FirmwareType::UPS18, "/default"},
    };
    for (const auto& row : rows) {
        SavedSettings settings = defaults;
        DecodeSettings(row.bytes, settings);
        EXPECT_EQ(settings.PortSelection, row.port) << row.name;
        EXPECT_EQ(settings.LinkProtocol, row.protocol) << row.name;
        EXPECT_EQ(settings.FirmwareType, row.firmware) << row.name;
        EXPECT_EQ(settings.workingDirectory, row.directory) << row.name;
        EXPECT_EQ(settings.enableFlags, defaults.enableFlags) << row.name;
    }
}

TEST(SettingsFile, MissingFileKeepsTheValues) {
    const TempFolder folder;
    SavedSettings settings;
    settings.LinkProtocol = 1;
    EXPECT_FALSE(LoadSettingsFile(folder.File("none.ini"), settings));
    EXPECT_EQ(settings.LinkProtocol, 1);
    EXPECT_FALSE(SaveSettingsFile(folder.File("missing/Vantrel.ini"), settings));
}

TEST(SettingsFile, ReadsTheFlagsInOrder) {
    SavedSettings settings;
    std::string bytes = Int(1) + Int(0) + Int(2);
    for (int i = 0; i < 256; ++i) bytes += Int(0);
    for (int i = 0; i < 43; ++i) bytes += Int(static_cast<uint32_t>(i + 100));
    DecodeSettings(bytes, settings);
    EXPECT_EQ(settings.enableFlags.smbus[0], 100);
    EXPECT_EQ(settings.enableFlags.smbus[12], 112);
    EXPECT_EQ(settings.enableFlags.temperature[0], 113);
    EXPECT_EQ(settings.enableFlags.other[0], 129);
    EXPECT_EQ(settings.enableFlags.i2c[1], 142);
}

}  // namespace
}  // namespace vantrel
