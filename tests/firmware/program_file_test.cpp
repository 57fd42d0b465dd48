#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "firmware_rig.h"
#include "../support/temp_folder.h"
#include "vantrel/firmware/firmware_progress.h"
#include "vantrel/firmware/program_file.h"

namespace {

using vantrel::CountProgramFile;
using vantrel::FirmwareProgress;
using vantrel::ProgramFileCount;
using vantrel::ProgramFileReader;
using Status = ProgramFileCount::Status;

std::string ReadAll(const std::string& path) {
    ProgramFileReader reader;
    EXPECT_TRUE(reader.Open(path));
    std::string text;
    uint8_t character = 0;
    while (reader.Next(character) == ProgramFileReader::Read::kCharacter) text += static_cast<char>(character);
    return text;
}

TEST(ProgramFile, ReadsAsTextWithEachCrLfAsOneLineFeed) {
    ixen_testing::TempFolder folder;
    struct Case {
        std::string name;
        std::string bytes;
        std::string sent;
    };
    // A CR LF pair split across the reader's 64 KiB buffers still becomes one line feed.
    const std::string longLine(64 * 1024 - 1, 'A');
    const Case cases[] = {
        {"crlf", ":00000001FF\r\n", ":00000001FF\n"},
        {"lf", ":00\n:01\n", ":00\n:01\n"},
        {"lone-cr", "a\rb\r", "a\rb\r"},
        {"cr-cr-lf", "a\r\r\nb", "a\r\nb"},
        {"split", longLine + "\r\n:", longLine + "\n:"},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Write(c.name, c.bytes);
        EXPECT_EQ(ReadAll(path), c.sent) << c.name;
        const ProgramFileCount count = CountProgramFile(path);
        EXPECT_EQ(count.status, Status::kCounted) << c.name;
        // The read that meets the end of the file counts too.
        EXPECT_EQ(count.total, c.sent.size() + 1) << c.name;
    }
}

TEST(ProgramFile, RefusesWhatIsNoProgramText) {
    ixen_testing::TempFolder folder;
    EXPECT_EQ(CountProgramFile(folder.File("missing.hex")).status, Status::kNotFound);
    EXPECT_EQ(CountProgramFile(folder.Path().string()).status, Status::kNotFound);  // a directory
    EXPECT_EQ(CountProgramFile(folder.Write("empty.hex", "")).status, Status::kEmpty);
    EXPECT_EQ(CountProgramFile(folder.Write("image.bin", std::string(":10\0\x7F\xFF", 6))).status, Status::kBinary);
    EXPECT_EQ(CountProgramFile(folder.Write("utf.hex", ":10\xC3\xA9\r\n")).status, Status::kBinary);
    // Tabs, form feeds and a trailing end-of-file mark are still text.
    EXPECT_EQ(CountProgramFile(folder.Write("ok.hex", ":00\t\f\r\n\x1A")).status, Status::kCounted);
}

long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(ProgramFile, CountsAHundredMegabyteFileInConstantMemory) {
    ixen_testing::TempFolder folder;
    const std::string path = folder.File("huge.hex");
    const std::string chunk = fwtest::FirmwareText{.dataRecords = 1000, .endRecord = false}.Text();
    const uint64_t chunks = 100 * 1024 * 1024 / chunk.size() + 1;
    {
        std::ofstream out(path, std::ios::binary);
        for (uint64_t i = 0; i < chunks; ++i) out << chunk;
    }
    const long before = PeakResidentKilobytes();
    const ProgramFileCount count = CountProgramFile(path);
    EXPECT_EQ(count.status, Status::kCounted);
    EXPECT_EQ(count.total, chunks * fwtest::AsSent(chunk).size() + 1);
    EXPECT_LT(PeakResidentKilobytes() - before, 16 * 1024);
}

TEST(FirmwareProgress, StepsTheBarEveryTenCharactersAndFormatsTheTexts) {
    // A file of 100 characters: total 101, range 1 to 10.
    EXPECT_EQ(vantrel::ProgressBarMaximum(101), 10);
    EXPECT_EQ(vantrel::ProgressBarMaximum(9), 0);
    struct Case {
        uint64_t accepted;
        int position;
        const char* percent;
        const char* bytes;
    };
    const Case cases[] = {
        {0, 1, "0.000 %", "0"},    {1, 1, "0.990 %", "1"},     {10, 1, "9.901 %", "10"},
        {11, 2, "10.891 %", "11"}, {100, 10, "99.010 %", "100"},
    };
    for (const Case& c : cases) {
        const FirmwareProgress progress = FirmwareProgress::After(c.accepted, 101);
        EXPECT_EQ(progress.barPosition, c.position) << c.accepted;
        EXPECT_EQ(progress.PercentText(), c.percent) << c.accepted;
        EXPECT_EQ(progress.BytesText(), c.bytes) << c.accepted;
    }
    EXPECT_EQ(FirmwareProgress::After(425, 1000).PercentText(), "42.500 %");
    EXPECT_EQ(FirmwareProgress::After(5, 0).PercentText(), "0.000 %");  // no total, no percentage
}

}  // namespace
