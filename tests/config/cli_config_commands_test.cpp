#include <gtest/gtest.h>

#include <sstream>

#include "golden_profiles.h"
#include "cli_runs.h"
#include "temp_folder.h"

namespace vantrel {
namespace {

using testing_support::kDefaultProfile;
using testing_support::ReadBytes;
using testing_support::Cli;
using testing_support::CliRun;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class CliConfigCommands : public testing::Test {
protected:
    TempFolder folder;
    std::string File(const std::string& name) const { return folder.File(name); }
};

TEST_F(CliConfigCommands, ProfileNewWritesTheDefaults) {
    const CliRun run = Cli({"profile", "new", File("new.psd")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("new.psd")), kDefaultProfile);
}

TEST_F(CliConfigCommands, ProfileCheck) {
    WriteBytes(File("good.psd"), kDefaultProfile);
    WriteBytes(File("bad.psd"), ":0200000400F00A\r\n:01422000128c\r\n");
    WriteBytes(File("words.HEX"), ":02420000ab00ff\r\n");
    const struct {
        std::string file;
        int status;
        std::string err;
    } rows[] = {
        {"good.psd", 0, ""},
        {"words.HEX", 0, ""},
        {"bad.psd", 1, "vantrel-cli: Expected 0x8B got 0x8C on line 2 of " + File("bad.psd") + ".\n"},
        {"none.hex", 1, "vantrel-cli: File not Found\n"},
        {"good.txt", 1, "vantrel-cli: File Read Error: Only .HEX or .PSD files supported\n"},
    };
    for (const auto& row : rows) {
        const CliRun run = Cli({"profile", "check", File(row.file)});
        EXPECT_EQ(run.status, row.status) << row.file;
        EXPECT_EQ(run.err, row.err) << row.file;
    }
}

TEST_F(CliConfigCommands, ConvertShowAndDiff) {
    // Cycle 1 field 3 (0x06) = 14400 mV and the cycle count (0x89) = 3, in the word layout.
    WriteBytes(File("fw.hex"), ":04420C0040FF38FF2F\r\n:02431200030000\r\n:00000001FF\r\n");
    ASSERT_EQ(Cli({"profile", "convert", File("fw.hex"), File("fw.psd")}).status, 0);

    const CliRun show = Cli({"profile", "show", File("fw.psd")});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("0x06  cycle 1 maximum battery charging voltage"), std::string::npos);
    EXPECT_NE(show.out.find("14400 mV\n"), std::string::npos);
    EXPECT_NE(show.out.find("minimum battery operating voltage"), std::string::npos);  // UPS18 by default
    const CliRun standard = Cli({"--firmware", "0", "profile", "show", File("fw.psd")});
    EXPECT_NE(standard.out.find("shut down delay in turning off power supply outputs"), std::string::npos);
    EXPECT_EQ(standard.out.find("minimum battery operating voltage"), std::string::npos);

    ASSERT_EQ(Cli({"profile", "new", File("default.psd")}).status, 0);
    const CliRun same = Cli({"profile", "diff", File("default.psd"), File("default.psd")});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    const CliRun differ = Cli({"profile", "diff", File("default.psd"), File("fw.psd")});
    EXPECT_EQ(differ.status, 1);
    EXPECT_NE(differ.out.find("0x06  cycle 1 maximum battery charging voltage"), std::string::npos);
    EXPECT_NE(differ.out.find("0 mV"), std::string::npos);
    EXPECT_NE(differ.out.find("0x89  number of charge cycles to use"), std::string::npos);
    EXPECT_EQ(Cli({"profile", "diff", File("default.psd"), File("none.psd")}).status, 2);
}

TEST_F(CliConfigCommands, ProfileOutputMustBePsd) {
    const CliRun run = Cli({"profile", "new", File("x.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vantrel-cli: File Save Error: Must save as .PSD file\n");
    EXPECT_EQ(Cli({"profile", "frobnicate", File("a.psd")}).status, 64);
}

TEST_F(CliConfigCommands, EepromWriteVerifyResetAndRead) {
    ASSERT_EQ(Cli({"profile", "new", File("default.psd")}).status, 0);
    // Retries carry the transfer over a machine too loaded to answer in time.
    const CliRun write =
        Cli({"--simulate", "eeprom", "write", File("default.psd"), "--verify", "--reset", "--retries", "3"});
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "");

    const CliRun read = Cli({"--simulate", "eeprom", "read", File("board.psd"), "--retries", "3"});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(Cli({"profile", "check", File("board.psd")}).status, 0);

    EXPECT_EQ(Cli({"--simulate", "reset"}).status, 0);
    EXPECT_EQ(Cli({"--simulate", "eeprom", "write", File("default.psd"), "--later"}).status, 64);
    EXPECT_EQ(Cli({"--simulate", "eeprom", "read", File("board.hex")}).status, 1);
}

}  // namespace
}  // namespace vantrel
