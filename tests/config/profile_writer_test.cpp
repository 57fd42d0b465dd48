#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "temp_folder.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/profile_writer.h"
#include "vantrel/config/replacing_file.h"
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

TEST(ProfileWriter, ErrorTextsKeepTheSystemsReason) {
    const struct {
        int error;
        std::string text;
    } rows[] = {
        {ENOENT, "Path not found (No such file or directory)"},
        {ENOTDIR, "Path not found (Not a directory)"},
        {EACCES, "Sharing violation (Permission denied)"},
        {EPERM, "Sharing violation (Operation not permitted)"},
        {EBUSY, "Sharing violation (Device or resource busy)"},
        {ETXTBSY, "Sharing violation (Text file busy)"},
        {EROFS, "Sharing violation (Read-only file system)"},
        {EEXIST, "File Exists, and cannot be overwritten (File exists)"},
        {EINVAL, "Invalid Open Mode (Invalid argument)"},
        {EMFILE, "Too many open files (Too many open files)"},
        {ENFILE, "Too many open files (Too many open files in system)"},
        {ENOSPC, "No space left on device"},
        {EISDIR, "Is a directory"},
        {ENAMETOOLONG, "File name too long"},
        {ReplacingFile::kNotRegularFile, "Not a regular file"},
    };
    for (const auto& row : rows) EXPECT_EQ(WriteErrorText(row.error), row.text) << row.error;
}

TEST(ProfileWriter, FilesThatCannotBeCreated) {
    const TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    ASSERT_EQ(mkfifo(folder.File("fifo.psd").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder.File("loop2.psd"), folder.File("loop1.psd"));
    std::filesystem::create_symlink(folder.File("loop1.psd"), folder.File("loop2.psd"));
    const struct {
        std::string path;
        std::vector<std::string> shown;
    } rows[] = {
        {folder.File("missing/a.psd"), {"Path not found (No such file or directory)"}},
        {folder.File("plain/a.psd"), {"Path not found (Not a directory)"}},
        {folder.Path().string(), {"Is a directory"}},
        {folder.File(std::string(300, 'n') + ".psd"), {"File name too long"}},
        {folder.File("fifo.psd"), {"Not a regular file"}},  // would block for a reader
        {folder.File("loop1.psd"), {"Too many levels of symbolic links"}},
    };
    for (const auto& row : rows) {
        LinkTrace trace;
        RecordingMessages messages;
        EXPECT_EQ(WriteProfile(row.path, DefaultImage(), trace, messages), 1) << row.path;
        EXPECT_EQ(messages.shown, row.shown) << row.path;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("loop1.psd")));
    EXPECT_TRUE(std::filesystem::is_fifo(folder.File("fifo.psd")));
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

TEST(ProfileWriter, SaveThroughADanglingLinkCreatesItsTarget) {
    const TempFolder folder;
    std::filesystem::create_directory(folder.File("sub"));
    std::filesystem::create_symlink("sub/target.psd", folder.File("link.psd"));
    LinkTrace trace;
    RecordingMessages messages;
    ASSERT_EQ(WriteProfile(folder.File("link.psd"), DefaultImage(), trace, messages), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.psd")));
    EXPECT_EQ(ReadBytes(folder.File("sub/target.psd")), kDefaultProfile);
}

// A save killed part-way leaves its temporary file; the next save to the folder
// removes such files of processes that no longer run, and nothing else.
TEST(ProfileWriter, StaleTemporaryFilesAreRemoved) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(getppid());

    const TempFolder folder;
    const std::vector<std::string> stale = {".a.psd." + dead + "-0.tmp", ".other.psd." + dead + "-17.tmp"};
    const std::vector<std::string> kept = {".a.psd." + alive + "-3.tmp", ".notes.tmp", "a.psd." + dead + "-1.tmp",
                                           ".a.psd.x" + dead + "-1.tmp"};
    for (const auto& name : stale) WriteBytes(folder.File(name), "partial");
    for (const auto& name : kept) WriteBytes(folder.File(name), "keep");
    LinkTrace trace;
    RecordingMessages messages;
    ASSERT_EQ(WriteProfile(folder.File("a.psd"), DefaultImage(), trace, messages), 0);
    for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
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
    EXPECT_EQ(messages.shown, std::vector<std::string>{"File too large"});
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// Limits the size of files this process writes for one scope; writes past it fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &previous_);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        sigaction(SIGXFSZ, &previous_, nullptr);
    }
    bool Active() const { return active_; }

private:
    struct sigaction previous_ {};
    rlimit saved_{};
    bool active_ = false;
};

// The save into a folder that takes no new files rewrites the file itself; a
// write that fails part-way must leave the old content, not an empty file.
TEST(ProfileWriter, InPlaceRewriteKeepsTheOldContentWhenAWriteFails) {
    const TempFolder folder;
    const std::string path = folder.File("in-place.psd");
    const std::string old(300, 'o');
    const struct {
        rlim_t limit;
        std::string content;
        int error;
        std::string after;
    } rows[] = {
        {400, kDefaultProfile, EFBIG, old},                       // no room for the new content
        {RLIM_INFINITY, kDefaultProfile, 0, kDefaultProfile},     // longer than the old one
        {RLIM_INFINITY, "short", 0, "short"},                    // shorter: cut to its length
    };
    for (const auto& row : rows) {
        WriteBytes(path, old);
        const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        int error = 0;
        {
            FileSizeLimit limit(row.limit);
            ASSERT_TRUE(limit.Active());
            error = RewriteInPlace(fd, row.content);
        }
        close(fd);
        EXPECT_EQ(error, row.error) << row.limit;
        EXPECT_EQ(ReadBytes(path), row.after) << row.limit;
    }
}

}  // namespace
}  // namespace vantrel
