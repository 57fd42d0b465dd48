#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "scripted_prompter.h"
#include "tests/support/temp_folder.h"
#include "vantrel/app/editor_hooks.h"
#include "vantrel/app/process_starter.h"
#include "vantrel/app/program_folder.h"
#include "vantrel/app/wizard_handover.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/link/board_link.h"

using namespace vantrel;
namespace fs = std::filesystem;

namespace {

// Stands in for the wizard: records each start and ends as scripted, after an
// optional action (writing working.psd, say) done while it "runs".
class ScriptedStarter : public IProcessStarter {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Start> starts;
    ProcessEnd end{ProcessEnd::How::Exited, 1};
    std::function<void()> whileRunning;

    ProcessEnd Run(const std::string& program, const std::vector<std::string>& arguments) override {
        starts.push_back({program, arguments});
        if (end.how != ProcessEnd::How::NotStarted && whileRunning) whileRunning();
        return end;
    }
};

constexpr double kWizardVoltage = 14400;  // mV at 0x8E, as the wizard hands it back

struct HandoverFixture : ::testing::Test {
    ixen_testing::TempFolder folder;
    CBoardLink link;
    CConfigData record{link, folder.File("Vantrel.ini")};
    ScriptedPrompter prompter;
    EditorHooks editors;
    ScriptedStarter starter;
    std::string scratch = folder.File("working.psd");
    WizardHandover handover{record, prompter, editors, starter, folder.File("orvik"), scratch};

    HandoverFixture() {
        record.SetPrompter(&prompter);
        record.fileTitle = "board";
        record.loaded = 1;
        record.minStartupVoltage = 9000;
    }

    // What a wizard that saved writes: the record with another start-up voltage.
    void WizardSavesProfile() {
        starter.whileRunning = [this] {
            CBoardLink otherLink;
            CConfigData saved(otherLink, folder.File("other.ini"));
            saved.minStartupVoltage = kWizardVoltage;
            ASSERT_EQ(saved.ReadWriteProfile(scratch, 1), 0);
        };
    }
    void ExpectRecordKept() {
        EXPECT_EQ(record.minStartupVoltage, 9000);
        EXPECT_EQ(record.fileTitle, texts::kUntitled);
        EXPECT_EQ(record.loaded, 0);
    }
};

TEST_F(HandoverFixture, CurrentProfileIsWrittenAndPassedWithTheLoadOption) {
    bool writtenBeforeStart = false;
    starter.whileRunning = [&] { writtenBeforeStart = fs::exists(scratch); };
    handover.RunOnCurrentProfile();
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_EQ(starter.starts[0].program, folder.File("orvik"));
    EXPECT_EQ(starter.starts[0].arguments, (std::vector<std::string>{"-f", scratch}));
    // The wizard was given the record as it stood.
    CBoardLink otherLink;
    CConfigData check(otherLink, folder.File("other.ini"));
    ASSERT_EQ(check.ReadWriteProfile(scratch, 0), 0);
    EXPECT_EQ(check.minStartupVoltage, 9000);
    EXPECT_TRUE(writtenBeforeStart);
}

TEST_F(HandoverFixture, ExitCodeZeroLoadsTheScratchProfile) {
    starter.end = {ProcessEnd::How::Exited, 0};
    WizardSavesProfile();
    handover.RunOnCurrentProfile();
    EXPECT_EQ(record.minStartupVoltage, kWizardVoltage);
    EXPECT_EQ(record.fileTitle, texts::kUntitled);
    EXPECT_EQ(record.loaded, 0);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kProfileLoaded});
}

TEST_F(HandoverFixture, AnythingButExitCodeZeroLeavesTheRecord) {
    const ProcessEnd ends[] = {{ProcessEnd::How::Exited, 1}, {ProcessEnd::How::Exited, 2},
                               {ProcessEnd::How::Crashed, 0}};
    for (const ProcessEnd& end : ends) {
        prompter.messages.clear();
        starter.end = end;
        WizardSavesProfile();  // even a scratch profile written before the end is not taken
        handover.RunOnNewProfile();
        ExpectRecordKept();
        EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kWizardCancelled});
    }
}

TEST_F(HandoverFixture, AWizardThatCannotStartDoesNothingMore) {
    starter.end = {ProcessEnd::How::NotStarted, 0};
    handover.RunOnCurrentProfile();
    handover.RunOnNewProfile();
    EXPECT_EQ(starter.starts.size(), 2u);
    ExpectRecordKept();
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(HandoverFixture, NewProfileReloadsTheEditorsFirstAndWritesNoScratchProfile) {
    int reloads = 0;
    editors.OnReloadFromRecord([&] { ++reloads; });
    int reloadsWhenStarted = -1;
    starter.whileRunning = [&] {
        reloadsWhenStarted = reloads;
        EXPECT_FALSE(fs::exists(scratch));
    };
    starter.end = {ProcessEnd::How::Exited, 1};
    handover.RunOnNewProfile();
    EXPECT_EQ(reloadsWhenStarted, 1);
    EXPECT_EQ(reloads, 1);  // not again afterwards
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_TRUE(starter.starts[0].arguments.empty());
}

TEST_F(HandoverFixture, ABrokenScratchProfileIsReportedAndNotLoaded) {
    starter.end = {ProcessEnd::How::Exited, 0};
    starter.whileRunning = [&] { ixen_testing::WriteBytes(scratch, ":0200000400F00A\r\n:10420000zz\r\n"); };
    handover.RunOnCurrentProfile();
    ExpectRecordKept();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find(" on line 2 of " + scratch), std::string::npos)
        << prompter.messages[0].text;

    // Gone altogether: the reader says so, and the profile is not reported as loaded.
    prompter.messages.clear();
    starter.whileRunning = [&] { fs::remove(scratch); };
    handover.RunOnNewProfile();
    ExpectRecordKept();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text, kProfileLoaded);
}

TEST_F(HandoverFixture, AScratchProfileThatCannotBeWrittenStartsTheWizardWithoutIt) {
    // An older working.psd must not be handed over as the current profile.
    WizardHandover unwritable(record, prompter, editors, starter, folder.File("orvik"),
                              folder.File("missing/working.psd"));
    unwritable.RunOnCurrentProfile();
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_TRUE(starter.starts[0].arguments.empty());
    // The fixed text, then the system's reason.
    const std::vector<std::string> texts = prompter.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind(texts::kPathNotFound, 0), 0u) << texts[0];
    EXPECT_EQ(texts[1], kWizardCancelled);
    ExpectRecordKept();
}

TEST(UtilityScratchFolder, IsTheProgramFolderWhenWritableElseOneUnderHome) {
    ixen_testing::TempFolder program;
    ixen_testing::TempFolder home;
    EXPECT_EQ(ScratchFolder(program.Path().string(), home.Path().string()), program.Path().string());
    EXPECT_EQ(ScratchFolder(program.File("missing"), home.Path().string()), program.File("missing"));
    fs::permissions(program.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = access(program.Path().c_str(), W_OK) != 0;  // not for root
    const std::string chosen = ScratchFolder(program.Path().string(), home.Path().string());
    fs::permissions(program.Path(), fs::perms::owner_all);
    if (!refused) GTEST_SKIP() << "root may write into any folder";
    EXPECT_EQ(chosen, (home.Path() / ".local/state/ixen").string());
    EXPECT_TRUE(fs::is_directory(home.Path() / ".local/state/ixen"));
}

}  // namespace
