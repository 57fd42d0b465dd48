#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app_harness.h"
#include "vantrel/app/file_commands.h"
#include "vantrel/app/qt_prompter.h"
#include "vantrel/config/message_texts.h"

using namespace vantrel;
namespace fs = std::filesystem;

namespace {

struct FileHarness : AppHarness {
    int reloads = 0;
    FileHarness() { app->editors.OnReloadFromRecord([this] { ++reloads; }); }
    std::string PathOf(const std::string& name) const { return (dir.Path() / name).string(); }
};

}  // namespace

TEST(FileSaveAs, WritesPsdOrEmptyExtensionAndRefusesOthers) {
    struct Case {
        const char* name;
        bool written;
    };
    const Case cases[] = {{"profile.psd", true}, {"PROFILE.PSD", true}, {"noextension", true}, {"profile.hex", false},
                          {"profile.txt", false}};
    for (const Case& c : cases) {
        FileHarness h;
        h.prompter.saveAnswers.push_back(h.PathOf(c.name));
        h.app->Execute(MenuCommand::FileSaveAs);
        EXPECT_EQ(fs::exists(h.PathOf(c.name)), c.written) << c.name;
        EXPECT_EQ(h.prompter.saveFilters, std::vector<std::string>{kSaveFilter});
        EXPECT_EQ(h.prompter.defaultExtensions, std::vector<std::string>{"psd"});
        EXPECT_EQ(h.record->filePath, h.PathOf(c.name)) << c.name;
        EXPECT_EQ(h.prompter.Texts(),
                  c.written ? std::vector<std::string>{} : std::vector<std::string>{texts::kMustSaveAsPsd})
            << c.name;
    }
}

TEST(FileSave, AsksForANameOnlyWhileUntitled) {
    FileHarness h;
    h.prompter.saveAnswers.push_back(std::nullopt);
    h.app->Execute(MenuCommand::FileSave);
    EXPECT_EQ(h.record->fileTitle, texts::kUntitled);
    EXPECT_TRUE(h.prompter.messages.empty());

    h.prompter.saveAnswers.push_back(h.PathOf("first.psd"));
    h.app->Execute(MenuCommand::FileSave);
    EXPECT_TRUE(fs::exists(h.PathOf("first.psd")));
    EXPECT_EQ(h.record->fileTitle, "first");
    EXPECT_EQ(h.record->fileName, "first.psd");
    EXPECT_EQ(h.record->fileExtension, "psd");

    fs::remove(h.PathOf("first.psd"));
    h.app->Execute(MenuCommand::FileSave);  // no dialog this time
    EXPECT_TRUE(fs::exists(h.PathOf("first.psd")));
    EXPECT_EQ(h.prompter.saveFilters.size(), 2u);
    EXPECT_EQ(h.prompter.unexpected, 0);
}

TEST(FileSave, ARecordLoadedFromHexMustBeSavedAsPsd) {
    FileHarness h;
    h.prompter.saveAnswers.push_back(h.PathOf("named.txt"));
    h.app->Execute(MenuCommand::FileSave);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{texts::kMustSaveAsPsd});
    EXPECT_FALSE(fs::exists(h.PathOf("named.txt")));
    h.prompter.messages.clear();
    h.app->Execute(MenuCommand::FileSave);  // titled now: refused again without a dialog
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{texts::kMustSaveAsPsd});
    EXPECT_EQ(h.prompter.unexpected, 0);
}

TEST(FileOpen, ReadsAProfileBackAndReloadsTheEditors) {
    FileHarness h;
    h.record->chargeCycleCount = 3;
    h.record->cycles[1].maxChargingVoltage = 12600;
    h.prompter.saveAnswers.push_back(h.PathOf("saved.psd"));
    h.app->Execute(MenuCommand::FileSaveAs);
    h.record->chargeCycleCount = 1;
    h.record->cycles[1].maxChargingVoltage = 0;
    h.record->fileTitle = texts::kUntitled;

    h.prompter.openAnswers.push_back(h.PathOf("saved.psd"));
    h.app->Execute(MenuCommand::FileOpen);
    EXPECT_EQ(h.prompter.openFilters, std::vector<std::string>{kOpenFilter});
    EXPECT_EQ(h.prompter.defaultExtensions.back(), "hex");
    EXPECT_EQ(h.record->chargeCycleCount, 3);
    EXPECT_EQ(h.record->cycles[1].maxChargingVoltage, 12600);
    EXPECT_EQ(h.record->loaded, 1);
    EXPECT_EQ(h.record->fileTitle, "saved");
    EXPECT_EQ(h.reloads, 1);
    EXPECT_TRUE(h.prompter.messages.empty());
}

TEST(FileOpen, RefusalsAndFailures) {
    struct Case {
        const char* name;
        const char* content;  // nullptr: no such file
        bool refused;         // extension not supported
        std::string title;
        int loaded;
    };
    const Case cases[] = {
        {"notes.txt", "x", true, "notes", 0},
        {"missing.psd", nullptr, false, texts::kUntitled, 1},
        {"short.psd", ":00\n", false, texts::kUntitled, 1},
        {"missing.hex", nullptr, false, texts::kUntitled, 1},
    };
    for (const Case& c : cases) {
        FileHarness h;
        h.record->chargeCycleCount = 2;
        if (c.content) std::ofstream(h.PathOf(c.name)) << c.content;
        h.prompter.openAnswers.push_back(h.PathOf(c.name));
        h.app->Execute(MenuCommand::FileOpen);
        EXPECT_EQ(h.record->chargeCycleCount, 2) << c.name;
        EXPECT_EQ(h.record->fileTitle, c.title) << c.name;
        EXPECT_EQ(h.record->loaded, c.loaded) << c.name;
        EXPECT_EQ(h.reloads, 1) << c.name;  // editors reload in every case
        if (c.refused)
            EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{texts::kOnlyHexOrPsd}) << c.name;
        else
            EXPECT_EQ(h.prompter.messages.size(), 1u) << c.name;
    }
}

TEST(FileOpen, CancelledDoesNothing) {
    FileHarness h;
    h.prompter.openAnswers.push_back(std::nullopt);
    h.app->Execute(MenuCommand::FileOpen);
    EXPECT_EQ(h.reloads, 0);
    EXPECT_EQ(h.record->loaded, 0);
    EXPECT_TRUE(h.prompter.messages.empty());
}

TEST(FileDialogs, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(QtPrompter::QtFilter(kOpenFilter).toStdString(), "PSD Files (*.psd);;HEX Files (*.hex);;All Files (*.*)");
    EXPECT_EQ(QtPrompter::QtFilter(kSaveFilter).toStdString(), "PSD Files (*.psd);;All Files (*.*)");
    EXPECT_EQ(QtPrompter::QtFilter("Text|*.txt;*.log|").toStdString(), "Text (*.txt *.log)");
}
