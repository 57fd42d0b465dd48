#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/temp_folder.h"
#include "vantrel/cli/cli_run.h"
#include "vantrel/config/configuration_file.h"

namespace vantrel {
namespace {

// The file's bytes.
std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The word (or byte) the profile holds at an offset.
int Stored(const std::string& path, int offset, int width = 2) {
    EepromImage image{};
    EXPECT_FALSE(ReadConfigurationImage(path, image).has_value());
    const auto at = static_cast<std::size_t>(offset);
    return width == 1 ? image[at] : image[at] | image[at + 1] << 8;
}

class ProfileSet : public ::testing::Test {
protected:
    ProfileSet() { EXPECT_EQ(Cli({"profile", "new", path}).status, 0); }
    ixen_testing::TempFolder folder;
    std::string path = folder.File("p.psd");
};

TEST_F(ProfileSet, SetsEachFieldInTheUnitShowPrints) {
    const CliRun run = Cli({"profile", "set", path, "0x1A=25.37", "0x26=14400", "136=200", "0x89=4", "0x80=0x2001",
                            "0x91=16", "0xE8=7", "0xFA=65535", "0x8A=2.3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Stored(path, 0x1A), 253);
    EXPECT_EQ(Stored(path, 0x26), 14400);
    EXPECT_EQ(Stored(path, 0x88, 1), 200);
    EXPECT_EQ(Stored(path, 0x89, 1), 4);
    EXPECT_EQ(Stored(path, 0x80), 0x2001);
    EXPECT_EQ(Stored(path, 0x91, 1), 16);
    EXPECT_EQ(Stored(path, 0xE8), 7);  // slot 12 word 0 and the extra word alike
    EXPECT_EQ(Stored(path, 0xFA), 65535);
    EXPECT_EQ(Stored(path, 0x8A), 23);
    EXPECT_EQ(Stored(path, 0x28), 0);
}

TEST_F(ProfileSet, ABadPairChangesNothing) {
    const std::string before = ReadBytes(path);
    const struct {
        std::vector<std::string> pairs;
        std::string message;
    } cases[] = {
        {{"0x26=1", "0x1A=6553.6"}, "vantrel-cli: 0x1A: Please enter a number between 0 and 6553.5.\n"},
        {{"0x26=12.5"}, "vantrel-cli: 0x26: Please enter a number.\n"},
        {{"0x26=0x10"}, "vantrel-cli: 0x26: Please enter a number.\n"},
        {{"0x89=5"}, "vantrel-cli: 0x89: Please enter a number between 1 and 4.\n"},
        {{"0x88=256"}, "vantrel-cli: 0x88: Please enter a number between 0 and 255.\n"},
        {{"0x90=17"}, "vantrel-cli: 0x90: Please enter a number between 0 and 16.\n"},
        {{"0x80=0x10000"}, "vantrel-cli: 0x80: Please enter a number between 0 and 65535.\n"},
        {{"0x02=-1"}, "vantrel-cli: 0x02: Please enter an integer.\n"},
        {{"0xFC=70000"}, "vantrel-cli: 0xFC: Please enter an integer between 0 and 65535.\n"},
        {{"0x27=1"}, "vantrel-cli: 0x27 is the middle of a field\n"},
        {{"0x96=1"}, "vantrel-cli: 0x96 names no field\n"},
        {{"0x100=1"}, "vantrel-cli: profile set wants OFFSET=VALUE, not \"0x100=1\"\n"},
        {{"0x26"}, "vantrel-cli: profile set wants OFFSET=VALUE, not \"0x26\"\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"profile", "set", path};
        args.insert(args.end(), c.pairs.begin(), c.pairs.end());
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 64) << c.message;
        EXPECT_EQ(run.err.substr(0, c.message.size()), c.message);  // then the usage text
        EXPECT_EQ(ReadBytes(path), before) << c.message;
    }
}

TEST_F(ProfileSet, AMissingFileIsNotAUsageError) {
    const CliRun run = Cli({"profile", "set", folder.File("none.psd"), "0x26=1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("vantrel-cli: File", 0), 0u) << run.err;
}

}  // namespace
}  // namespace vantrel
