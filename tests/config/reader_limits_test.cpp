// The readers of profiles, programming files and the settings file take only a
// regular file of a sane size: a FIFO or a device would block them or never
// end, and a huge file would be read whole into memory.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "temp_folder.h"
#include "vantrel/config/profile_reader.h"
#include "vantrel/config/settings_file.h"
#include "vantrel/config/word_layout_reader.h"

namespace vantrel {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kProfile =
    ":0200000400F00A\r\n:0242300009087b\r\n:00000001FF\r\n";

struct Reader {
    const char* name;
    const char* extension;
    // The failure text, or nothing when the file was read.
    std::function<std::optional<std::string>(const std::string&)> read;
};

const Reader kReaders[] = {
    {"profile", ".psd",
     [](const std::string& path) {
         EepromImage image{};
         return ReadProfileFile(path, image);
     }},
    {"word layout", ".hex",
     [](const std::string& path) {
         EepromImage image{};
         return ReadWordLayoutFile(path, image);
     }},
    {"settings", ".ini",
     [](const std::string& path) -> std::optional<std::string> {
         SavedSettings settings;
         if (LoadSettingsFile(path, settings)) return std::nullopt;
         return std::string("not read");
     }},
};

TEST(ReaderLimits, RefuseWhatIsNotARegularFileWithoutBlocking) {
    const TempFolder folder;
    for (const Reader& reader : kReaders) {
        const std::string fifo = folder.File(std::string("fifo") + reader.extension);
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        const auto failure = reader.read(fifo);
        ASSERT_TRUE(failure.has_value()) << reader.name;
        if (reader.extension != std::string(".ini")) {
            EXPECT_EQ(*failure, "File Read Error: " + fifo + " is not a regular file") << reader.name;
        }
        // A device, also behind a symbolic link.
        const std::string device = folder.File(std::string("zero") + reader.extension);
        std::filesystem::create_symlink("/dev/zero", device);
        EXPECT_TRUE(reader.read(device).has_value()) << reader.name;
    }
}

TEST(ReaderLimits, RefuseAHugeFileAndReadThroughALink) {
    const TempFolder folder;
    for (const Reader& reader : kReaders) {
        const std::string good = folder.File(std::string("good") + reader.extension);
        WriteBytes(good, reader.extension == std::string(".ini") ? std::string(1208, '\0') : kProfile);
        const std::string link = folder.File(std::string("link") + reader.extension);
        std::filesystem::create_symlink(good, link);
        EXPECT_EQ(reader.read(link), std::nullopt) << reader.name;

        // A sparse gigabyte: refused at once, never read into memory.
        const std::string huge = folder.File(std::string("huge") + reader.extension);
        WriteBytes(huge, kProfile);
        std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
        const auto failure = reader.read(huge);
        if (reader.extension == std::string(".ini")) {
            EXPECT_EQ(failure, std::nullopt) << "only its beginning is read";
        } else {
            ASSERT_TRUE(failure.has_value()) << reader.name;
            EXPECT_NE(failure->find(huge + " is larger than "), std::string::npos) << *failure;
        }
    }
}

}  // namespace
}  // namespace vantrel
