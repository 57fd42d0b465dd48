#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <filesystem>

#include "temp_folder.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/profile_writer.h"
#include "vantrel/link/link_trace.h"
#include "fake_board.h"
#include "golden_profiles.h"

namespace vantrel {
namespace {

using testing_support::kDefaultProfile;
using testing_support::ReadBytes;
using testing_support::RecordingMessages;
using testing_support::TempFolder;
using testing_support::WriteBytes;


EepromImage DefaultImage() {
    ConfigFields fields;
    fields.ResetFields();
    EepromImage image;
    ToImage(fields, image);
    return image;
}

TEST(ProfileWriter, DefaultRecordByteForByte) {
    const TempFolder folder;
    LinkTrace trace;
    RecordingMessages messages;
    const std::string path = folder.File("default.psd");
    ASSERT_EQ(WriteProfile(path, DefaultImage(), trace, messages), 0);
    EXPECT_EQ(ReadBytes(path), kDefaultProfile);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ProfileText(DefaultImage()), kDefaultProfile);
}

TEST(ProfileWriter, DigitsAreLowerCase) {
    EepromImage image = DefaultImage();
    image[0x4A] = 0xAB;
    EXPECT_EQ(ProfileRecordLine(image, 4), ":1042400000000000000000000000ab0000000000c3");
}

TEST(ProfileWriter, EachRecordShowsInTheTrace) {
    const TempFolder folder;
    LinkTrace trace;
    RecordingMessages messages;
    const std::string path = folder.File("traced.psd");
    ASSERT_EQ(WriteProfile(path, DefaultImage(), trace, messages), 0);
    EXPECT_EQ(trace.HostLine(), path);
    EXPECT_EQ(trace.DeviceLine(), "Writing PSD file");
    EXPECT_EQ(trace.Text(), path + "\r\nWriting PSD file");
}

TEST(ProfileWriter, ErrorTexts) {
    const struct {
        int error;
        std::string text;
    } rows[] = {
        {ENOENT, "Path not found"},
        {ENOTDIR, "Path not found"},
        {EACCES, "Sharing violation"},
        {EPERM, "Sharing violation"},
        {EBUSY, "Sharing violation"},
        {ETXTBSY, "Sharing violation"},
        {EROFS, "Sharing violation"},
        {EEXIST, "File Exists, and cannot be overwritten"},
        {EINVAL, "Invalid Open Mode"},
        {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"},
        {ENOSPC, ""},
        {EISDIR, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(WriteErrorText(row.error), row.text) << row.error;
}

TEST(ProfileWriter, FilesThatCannotBeCreated) {
    const TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const struct {
        std::string path;
        std::vector<std::string> shown;
    } rows[] = {
        {folder.File("missing/a.psd"), {"Path not found"}},
        {folder.File("plain/a.psd"), {"Path not found"}},
        {folder.Path().string(), {}},  // a folder: the system's error has no text
    };
    for (const auto& row : rows) {
        LinkTrace trace;
        RecordingMessages messages;
        EXPECT_EQ(WriteProfile(row.path, DefaultImage(), trace, messages), 1) << row.path;
        EXPECT_EQ(messages.shown, row.shown) << row.path;
    }
}

TEST(ProfileWriter, ReplacesAnOldFileAndKeepsItsMode) {
    const TempFolder folder;
    const std::string path = folder.File("old.psd");
    WriteBytes(path, "old content");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    LinkTrace trace;
    RecordingMessages messages;
    ASSERT_EQ(WriteProfile(path, DefaultImage(), trace, messages), 0);
    EXPECT_EQ(ReadBytes(path), kDefaultProfile);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(ProfileWriter, SaveThroughALinkReplacesItsTarget) {
    const TempFolder folder;
    const std::string target = folder.File("target.psd");
    WriteBytes(target, "old");
    std::filesystem::create_symlink(target, folder.File("link.psd"));
    LinkTrace trace;
    RecordingMessages messages;
    ASSERT_EQ(WriteProfile(folder.File("link.psd"), DefaultImage(), trace, messages), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.psd")));
    EXPECT_EQ(ReadBytes(target), kDefaultProfile);
}

// A save that fails part way (here: the file size limit, as with a full disk)
// leaves the old profile as it was and no partial file behind.
TEST(ProfileWriter, FailedSaveKeepsTheOldFile) {
    const TempFolder folder;
    const std::string path = folder.File("keep.psd");
    const std::string old = kDefaultProfile.substr(0, 200);
    WriteBytes(path, old);

    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    LinkTrace trace;
    RecordingMessages messages;
    const int result = WriteProfile(path, DefaultImage(), trace, messages);

    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(result, 1);
    EXPECT_TRUE(messages.shown.empty());  // "file too large" has no text of its own
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace vantrel
