#include <gtest/gtest.h>

#include <filesystem>

#include "fake_board.h"
#include "temp_folder.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/profile_files.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

using testing_support::RecordingMessages;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class ProfileFilesTest : public testing::Test {
protected:
    ProfileFilesTest() { record.SetPrompter(&messages); }

    TempFolder folder;
    CBoardLink link;
    CConfigData record{link, folder.File("Vantrel.ini")};
    RecordingMessages messages;
};

TEST_F(ProfileFilesTest, OpenReadsPsdAndHex) {
    record.maxInputPower = 300;
    ASSERT_EQ(record.ReadWriteProfile(folder.File("a.psd"), 1), 0);
    record.maxInputPower = 0;
    EXPECT_TRUE(OpenProfile(record, folder.File("a.psd")));
    EXPECT_EQ(record.maxInputPower, 300);
    EXPECT_EQ(record.fileName, "a.psd");
    EXPECT_EQ(record.fileTitle, "a");
    EXPECT_EQ(record.fileExtension, "psd");
    EXPECT_EQ(record.filePath, folder.File("a.psd"));
    EXPECT_EQ(record.loaded, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileFilesTest, OpenRefusesOtherExtensions) {
    EXPECT_FALSE(OpenProfile(record, folder.File("a.txt")));
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kOnlyHexOrPsd});
    EXPECT_EQ(record.loaded, 0);
}

TEST_F(ProfileFilesTest, FailedOpenMakesTheTitleUntitled) {
    EXPECT_FALSE(OpenProfile(record, folder.File("missing.hex")));
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kFileNotFound});
    EXPECT_EQ(record.fileTitle, "Untitled");
    EXPECT_EQ(record.loaded, 1);
}

TEST_F(ProfileFilesTest, SaveNeedsPsd) {
    SetFileIdentity(record, folder.File("a.hex"));
    EXPECT_EQ(SaveProfile(record), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kMustSaveAsPsd});
    EXPECT_FALSE(std::filesystem::exists(folder.File("a.hex")));

    SetFileIdentity(record, folder.File("b.PSD"));
    EXPECT_EQ(SaveProfile(record), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.File("b.PSD")));
}

TEST_F(ProfileFilesTest, SaveAsAcceptsPsdOrNoExtension) {
    EXPECT_EQ(SaveProfileAs(record, folder.File("plain")), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.File("plain")));
    EXPECT_EQ(SaveProfileAs(record, folder.File("c.psd")), 0);
    EXPECT_EQ(SaveProfileAs(record, folder.File("c.txt")), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kMustSaveAsPsd});
    EXPECT_EQ(record.fileTitle, "c");  // the identity is stored before the check
}

}  // namespace
}  // namespace vantrel
