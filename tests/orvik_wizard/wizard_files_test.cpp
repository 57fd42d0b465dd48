#include "orvik/wizard/window/wizard_files.h"

#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "scripted_prompter.h"
#include "temp_folder.h"

namespace orvik {
namespace {

TEST(FolderOf, IsTheTextBeforeTheLastSeparator) {
    EXPECT_EQ(FolderOf("/home/user/profiles/a.psd"), "/home/user/profiles");
    EXPECT_EQ(FolderOf("a.psd"), "a.psd");
    EXPECT_EQ(FolderOf("/a.psd"), "");
    EXPECT_EQ(FolderOf(""), "");
}

TMemMap TwoWords() {
    TMemMap memory;
    memory["w0"].address = "0x00";
    memory["w0"].length = 2;
    memory["w0"].expression = "Rate*2";
    memory["w1"].address = "0x02";
    memory["w1"].length = 2;
    memory["w1"].value = "4660";
    return memory;
}

TEST(SaveProfiles, WritesTheLocationAndWorkingPsd) {
    test::TempFolder folder;
    test::ScriptedPrompter prompter;
    TMemMap memory = TwoWords();
    TValMap values;
    values["Rate"].value = "21";

    EXPECT_EQ(SaveProfiles(memory, values, folder.File("out.psd"), folder.Path().string(), prompter), "");

    const std::string written = test::ReadWholeFile(folder.File("out.psd"));
    EXPECT_EQ(written, ":0200000400F00A\r\n:044200002A0034124A\r\n:00000001FF\r\n");
    EXPECT_EQ(test::ReadWholeFile(folder.File("working.psd")), written);
    EXPECT_TRUE(prompter.messages.empty());
}

// A file that cannot be written is named with the system's reason; the
// others are still written. Without a location only working.psd is written.
TEST(SaveProfiles, SaysWhichFileCouldNotBeWrittenAndWhy) {
    test::TempFolder folder;
    test::ScriptedPrompter prompter;
    TMemMap memory = TwoWords();
    TValMap values;
    values["Rate"].value = "1";
    folder.Write("a.psd", "");

    EXPECT_EQ(SaveProfiles(memory, values, folder.File("missing/out.psd"), folder.Path().string(), prompter),
              "Cannot write " + folder.File("missing/out.psd") + ": No such file or directory");
    EXPECT_EQ(SaveProfiles(memory, values, folder.File("a.psd/b.psd"), folder.Path().string(), prompter),
              "Cannot write " + folder.File("a.psd/b.psd") + ": Not a directory");
    EXPECT_TRUE(std::filesystem::exists(folder.File("working.psd")));
    EXPECT_EQ(SaveProfiles(memory, values, "", folder.File("missing"), prompter),
              "Cannot write " + folder.File("missing/working.psd") + ": No such file or directory");
    EXPECT_EQ(SaveProfiles(memory, values, "", folder.Path().string(), prompter), "");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(SaveProfiles, ReportsAnEvaluationFailureAndStillWrites) {
    test::TempFolder folder;
    test::ScriptedPrompter prompter;
    TMemMap memory = TwoWords();

    SaveProfiles(memory, {}, folder.File("out.psd"), folder.Path().string(), prompter);

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Evaluation Error:");
    EXPECT_EQ(prompter.messages[0].text, "Variable Rate not found.");
    EXPECT_TRUE(std::filesystem::exists(folder.File("out.psd")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("working.psd")));
}

TEST(LoadProfile, RecomputesTheValuesOnlyAfterARead) {
    test::TempFolder folder;
    test::ScriptedPrompter prompter;
    TMemMap memory = TwoWords();
    TValMap values;
    values["Rate"] = {"w0/2", "0", {}};
    ProfileReader reader;

    const std::string good = folder.Write("good.psd", ":0200000400F00A\r\n:044200002A0034124A\r\n:00000001FF\r\n");
    EXPECT_TRUE(LoadProfile(reader, good, memory, values, prompter).Ok());
    EXPECT_EQ(values["Rate"].value, "21");

    values["Rate"].value = "5";
    const std::string bad = folder.Write("bad.psd", ":0200000400F00A\r\n:044200002A0034124B\r\n:00000001FF\r\n");
    const ProfileReadResult result = LoadProfile(reader, bad, memory, values, prompter);
    EXPECT_EQ(result.code, kReadChecksumMismatch);
    EXPECT_EQ(values["Rate"].value, "5");
}

TEST(LoadedMessage, NamesTheFile) { EXPECT_EQ(LoadedMessage("/tmp/a.psd"), "Loaded: /tmp/a.psd"); }

// The current folder is the process's; each test restores it.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST(FindDefinitionFile, PrefersTheCurrentFolderThenTheProgramFolder) {
    test::TempFolder work;
    test::TempFolder program;
    const std::string installed = program.Write("profile.xml", "<profile-wizard/>");
    CurrentFolder inWork(work.Path());

    EXPECT_EQ(FindDefinitionFile(program.Path().string()), installed);
    work.Write("profile.xml", "<profile-wizard/>");
    EXPECT_EQ(FindDefinitionFile(program.Path().string()), "profile.xml");
}

TEST(FindDefinitionFile, FallsBackToTheSharedFolderOfAnInstalledWizard) {
    test::TempFolder work;
    test::TempFolder root;
    std::filesystem::create_directories(root.Path() / "bin");
    std::filesystem::create_directories(root.Path() / "share/orvik");
    const std::string shared = root.Write("share/orvik/profile.xml", "<profile-wizard/>");
    CurrentFolder inWork(work.Path());
    EXPECT_EQ(FindDefinitionFile((root.Path() / "bin").string()), shared);
    const std::string beside = root.Write("bin/profile.xml", "<profile-wizard/>");
    EXPECT_EQ(FindDefinitionFile((root.Path() / "bin").string()), beside);
}

TEST(ScratchFolder, IsTheProgramFolderWhenWritableElseOneUnderHome) {
    test::TempFolder program;
    test::TempFolder home;
    EXPECT_EQ(ScratchFolder(program.Path().string(), home.Path().string()), program.Path().string());
    EXPECT_EQ(WorkingProfilePath(program.Path().string()), (program.Path() / "working.psd").string());

    const std::string missing = (program.Path() / "missing").string();
    EXPECT_EQ(ScratchFolder(missing, home.Path().string()), missing);
    namespace fs = std::filesystem;
    fs::permissions(program.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = access(program.Path().c_str(), W_OK) != 0;  // not for root
    const std::string chosen = ScratchFolder(program.Path().string(), home.Path().string());
    fs::permissions(program.Path(), fs::perms::owner_all);
    if (!refused) GTEST_SKIP() << "root may write into any folder";
    EXPECT_EQ(chosen, (home.Path() / ".local/state/ixen").string());
}

TEST(FindDefinitionFile, NamesTheCurrentFolderWhenNeitherHasOne) {
    test::TempFolder work;
    test::TempFolder program;
    CurrentFolder inWork(work.Path());
    EXPECT_EQ(FindDefinitionFile(program.Path().string()), "profile.xml");
}

}  // namespace
}  // namespace orvik
