#include <gtest/gtest.h>

#include <filesystem>

#include "app_harness.h"

using namespace vantrel;
namespace fs = std::filesystem;

namespace {

// One run of the program's objects in a given start directory.
struct ProgramRun {
    explicit ProgramRun(const fs::path& start) {
        fs::current_path(start);
        app = std::make_unique<VantrelApp>();
        link = std::make_unique<CBoardLink>();
        record = std::make_unique<CConfigData>(*link, app->SettingsPath());
        app->Attach(*link, *record, &prompter);
    }
    ~ProgramRun() {
        record.reset();
        link.reset();
        app.reset();
    }
    ScriptedPrompter prompter;
    std::unique_ptr<VantrelApp> app;
    std::unique_ptr<CBoardLink> link;
    std::unique_ptr<CConfigData> record;
};

}  // namespace

TEST(Settings, WrittenAtExitAndReadAtTheNextStart) {
    struct Case {
        uint16_t port;
        uint16_t protocol;
        FirmwareType firmware;
        std::uintmax_t size;
    };
    const Case cases[] = {{1, 0, FirmwareType::UPS18, 1208}, {10, 1, FirmwareType::Standard, 1209}, {4, 2, FirmwareType::UPS, 1208}};
    for (const Case& c : cases) {
        TempDir dir;
        {
            ProgramRun first(dir.Path());
            EXPECT_EQ(first.app->SettingsPath(), (dir.Path() / "Vantrel.ini").string());
            EXPECT_EQ(first.link->settings.PortSelection, 1);  // no file yet: defaults
            EXPECT_EQ(first.link->settings.FirmwareType, FirmwareType::UPS18);
            first.link->settings.PortSelection = c.port;
            first.link->settings.LinkProtocol = c.protocol;
            first.link->settings.FirmwareType = c.firmware;
            first.app->Execute(MenuCommand::FileExit);
        }
        ASSERT_TRUE(fs::exists(dir.Path() / "Vantrel.ini"));
        EXPECT_EQ(fs::file_size(dir.Path() / "Vantrel.ini"), c.size) << c.port;
        ProgramRun second(dir.Path());
        EXPECT_EQ(second.link->settings.PortSelection, c.port);
        EXPECT_EQ(second.link->settings.LinkProtocol, c.protocol);
        EXPECT_EQ(second.link->settings.FirmwareType, c.firmware);
        EXPECT_EQ(second.record->connected, 0);
    }
}

TEST(Settings, StartDirectoryIsTheOneAtStart) {
    TempDir dir;
    ProgramRun run(dir.Path());
    EXPECT_EQ(fs::path(run.app->StartDirectory()), fs::current_path());
}
