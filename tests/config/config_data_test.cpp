#include <gtest/gtest.h>

#include <filesystem>

#include "fake_board.h"
#include "temp_folder.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/file_names.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/settings_file.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

using testing_support::CurrentDirectoryGuard;
using testing_support::ReadBytes;
using testing_support::RecordingMessages;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class ConfigDataTest : public testing::Test {
protected:
    CurrentDirectoryGuard cwd;
    TempFolder folder;
    std::string ini = folder.File("Vantrel.ini");
    CBoardLink link;
};

TEST_F(ConfigDataTest, FirstStartUsesDefaultsAndLeavesA1208ByteFile) {
    const auto before = std::filesystem::current_path();
    link.settings.FirmwareType = FirmwareType::Standard;
    link.settings.BoardWriteAddress = 0x14;
    {
        CConfigData record(link, ini);
        EXPECT_EQ(link.settings.PortSelection, 1);
        EXPECT_EQ(link.settings.LinkProtocol, 0);
        EXPECT_EQ(link.settings.FirmwareType, FirmwareType::UPS18);
        EXPECT_EQ(link.settings.BoardWriteAddress, 0x12);
        EXPECT_EQ(record.fileTitle, "Untitled");
        EXPECT_EQ(record.writeEnableFlag, 1);
        EXPECT_EQ(record.loaded, 0);
        EXPECT_EQ(record.CommBusy, 0);
        EXPECT_EQ(record.connected, 0);
        EXPECT_EQ(record.pollingRate, 1);
        EXPECT_EQ(record.chargeCycleCount, 1);
        EXPECT_EQ(record.cycles[3].addresses[15], 0x7E);
        EXPECT_EQ(record.commands[BoardCommandTable::kEepromData], 0xA1);
        EXPECT_EQ(std::filesystem::current_path(), before);
    }
    EXPECT_EQ(ReadBytes(ini).size(), 1208u);
}

TEST_F(ConfigDataTest, SettingsSurviveARun) {
    {
        CConfigData record(link, ini);
        link.settings.PortSelection = 10;
        link.settings.LinkProtocol = 1;
        link.settings.FirmwareType = FirmwareType::UPS;
        link.settings.SelectorAddressing = 1;  // not saved
        record.enableFlags.smbus[4] = 1;
        record.enableFlags.i2c[0] = 1;
        std::filesystem::current_path(folder.Path());
    }
    EXPECT_EQ(ReadBytes(ini).size(), 1209u);
    std::filesystem::current_path("/");
    CBoardLink next;
    CConfigData record(next, ini);
    EXPECT_EQ(next.settings.PortSelection, 10);
    EXPECT_EQ(next.settings.LinkProtocol, 1);
    EXPECT_EQ(next.settings.FirmwareType, FirmwareType::UPS);
    EXPECT_EQ(next.settings.SelectorAddressing, 0);
    EXPECT_EQ(record.enableFlags.smbus[4], 1);
    EXPECT_EQ(record.enableFlags.i2c[0], 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder.Path()));
}

TEST_F(ConfigDataTest, AMissingSavedFolderLeavesTheCurrentOne) {
    SavedSettings saved;
    saved.workingDirectory = folder.File("gone");
    saved.LinkProtocol = 2;
    ASSERT_TRUE(SaveSettingsFile(ini, saved));
    const auto before = std::filesystem::current_path();
    CConfigData record(link, ini);
    EXPECT_EQ(link.settings.LinkProtocol, 2);
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST_F(ConfigDataTest, ResetToDefaultsRestoresFieldsAndIdentity) {
    CConfigData record(link, ini);
    record.cycles[0].maxChargingVoltage = 5;
    record.slots[16].words[0] = 3;
    record.setpointDirections[4] = 1;
    record.commands[BoardCommandTable::kEepromAddress] = 0;
    record.writeEnableFlag = 0;
    record.fileTitle = "x";
    record.filePath = "/x.psd";
    record.loaded = 1;
    record.ResetToDefaults();
    EXPECT_EQ(record.cycles[0].maxChargingVoltage, 0);
    EXPECT_EQ(record.cycles[0].addresses[3], 0x06);
    EXPECT_EQ(record.slots[16].words[0], 0);
    EXPECT_EQ(record.setpointDirections[4], 0);
    EXPECT_EQ(record.commands[BoardCommandTable::kEepromAddress], 0xA0);
    EXPECT_EQ(record.writeEnableFlag, 1);
    EXPECT_EQ(record.fileTitle, "Untitled");
    EXPECT_EQ(record.filePath, "");
    EXPECT_EQ(record.loaded, 0);
}

TEST_F(ConfigDataTest, ProfileRoundTrip) {
    CConfigData record(link, ini);
    RecordingMessages messages;
    record.SetPrompter(&messages);
    record.cycles[2].maxTemperatureRate = 25.37;
    record.cycles[2].maxChargingVoltage = 12.99;
    record.slots[12].words[1] = 0x1111;
    record.alarmShutdownDelay = 0x2222;  // 0xEA, shared with slot 12 word 1
    record.I2CDevEnDef = 0xF00F;
    const std::string path = folder.File("round.psd");
    ASSERT_EQ(record.ReadWriteProfile(path, 1), 0);

    CBoardLink otherLink;
    CConfigData back(otherLink, folder.File("other.ini"));
    back.SetPrompter(&messages);
    ASSERT_EQ(back.ReadWriteProfile(path, 0), 0);
    EXPECT_DOUBLE_EQ(back.cycles[2].maxTemperatureRate, 25.3);
    EXPECT_EQ(back.cycles[2].maxChargingVoltage, 12);
    EXPECT_EQ(back.slots[12].words[1], 0x2222);
    EXPECT_EQ(back.alarmShutdownDelay, 0x2222);
    EXPECT_EQ(back.I2CDevEnDef, 0xF00F);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(record.ReadWriteProfile(path, 7), 0);  // other modes do nothing
}

TEST_F(ConfigDataTest, FailedReadsKeepTheRecordAndSayWhy) {
    CConfigData record(link, ini);
    RecordingMessages messages;
    record.SetPrompter(&messages);
    record.cycles[0].maxCycleTime = 42;
    WriteBytes(folder.File("bad.psd"), ":0200000400F00A\r\n:0142200012ff\r\n");
    EXPECT_EQ(record.ReadWriteProfile(folder.File("bad.psd"), 0), 1);
    EXPECT_EQ(record.ReadWriteProfile(folder.File("none.psd"), 0), 1);
    EXPECT_EQ(record.ReadWriteProfile(folder.File("none.hex"), 0), 1);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0], "Expected 0x8B got 0xFF on line 2 of " + folder.File("bad.psd") + ".");
    EXPECT_EQ(messages.shown[1],
              "File Read Error: Cannot open " + folder.File("none.psd") + ": No such file or directory");
    EXPECT_EQ(messages.shown[2], "File not Found");
    EXPECT_EQ(record.cycles[0].maxCycleTime, 42);
}

TEST_F(ConfigDataTest, WordLayoutImport) {
    CConfigData record(link, ini);
    // 0x4200 + 2 * 0x06: cycle 1 field 3 = 0x3840 (14400 mV); 0x4200 + 2 * 0x89: the cycle count.
    WriteBytes(folder.File("fw.HEX"), ":04420C0040FF38FF2F\r\n:02431200030000\r\n:00000001FF\r\n");
    ASSERT_EQ(record.ReadWriteProfile(folder.File("fw.HEX"), 0), 0);
    EXPECT_EQ(record.cycles[0].maxChargingVoltage, 14400);
    EXPECT_EQ(record.chargeCycleCount, 3);
    EXPECT_EQ(record.cycles[0].terminationFlags, 0xFFFF);  // bytes the file does not supply are erased
}

TEST(LowerExtension, OfTheFileName) {
    EXPECT_EQ(LowerExtension("/a/b.PSD"), "psd");
    EXPECT_EQ(LowerExtension("/a.d/b"), "");
    EXPECT_EQ(LowerExtension("b.tar.Hex"), "hex");
    EXPECT_EQ(LowerExtension("/a/b."), "");
    EXPECT_EQ(TitleOf("/a/b.tar.psd"), "b.tar");
    EXPECT_EQ(FileNameOf("/a/b.psd"), "b.psd");
}

}  // namespace
}  // namespace vantrel
