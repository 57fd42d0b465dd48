#include <gtest/gtest.h>

#include "vantrel/app/command_line.h"
#include "vantrel/app/file_filter.h"

using namespace vantrel;

TEST(CommandLine, Arguments) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        bool simulate;
        std::map<int, std::string> devices;
    };
    const Case cases[] = {
        {{}, true, false, {}},
        {{"--simulate"}, true, true, {}},
        {{"--com", "1=/dev/ttyUSB0", "--com=8=/dev/pts/3"}, true, false, {{1, "/dev/ttyUSB0"}, {8, "/dev/pts/3"}}},
        {{"--com", "2=/dev/a", "--simulate"}, true, true, {{2, "/dev/a"}}},
        {{"--wizard"}, true, false, {}},
        {{"--com"}, false, false, {}},
        {{"--com", "9=/dev/x"}, false, false, {}},
        {{"--com", "1="}, false, false, {}},
        {{"--com", "/dev/x"}, false, false, {}},
        {{"--bogus"}, false, false, {}},
        {{"--simulate=ups16"}, true, true, {}},
        {{"--simulate=typo"}, false, false, {}},
    };
    for (const Case& c : cases) {
        const CommandLine cl = ParseCommandLine(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        EXPECT_EQ(cl.error.empty(), c.ok) << name;
        if (!c.ok) continue;
        EXPECT_EQ(cl.simulate, c.simulate) << name;
        EXPECT_EQ(cl.comDevices, c.devices) << name;
        EXPECT_EQ(cl.wizard, c.args == std::vector<std::string>{"--wizard"}) << name;
    }
}

TEST(CommandLine, SimulatedFirmwareByNameOrNumber) {
    struct Case {
        const char* arg;
        FirmwareType firmwareType;
    };
    const Case cases[] = {
        {"--simulate", FirmwareType::UPS18},   {"--simulate=ups18", FirmwareType::UPS18},
        {"--simulate=ups16", FirmwareType::UPS}, {"--simulate=standard", FirmwareType::Standard},
        {"--simulate=1", FirmwareType::UPS},   {"--simulate=0", FirmwareType::Standard},
    };
    for (const Case& c : cases) {
        const CommandLine cl = ParseCommandLine({c.arg});
        EXPECT_TRUE(cl.error.empty()) << c.arg;
        EXPECT_EQ(cl.simulatedFirmware, c.firmwareType) << c.arg;
    }
    EXPECT_NE(CommandLineUsage().find("--simulate[=FIRMWARE]"), std::string::npos);
}

TEST(FileFilter, PipeFilterAndDefaultExtension) {
    const auto entries = ParsePipeFilter("PSD Files (*.psd)|*.psd|HEX Files (*.hex)|*.hex|All Files (*.*)|*.*|");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].label, "HEX Files (*.hex)");
    EXPECT_EQ(entries[1].pattern, "*.hex");
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/tmp/profile", "/tmp/profile.psd"},
        {"/tmp/profile.psd", "/tmp/profile.psd"},
        {"/tmp/profile.txt", "/tmp/profile.txt"},
        {"/tmp/dir.d/profile", "/tmp/dir.d/profile.psd"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(WithDefaultExtension(c.path, "psd"), c.expected) << c.path;
}
