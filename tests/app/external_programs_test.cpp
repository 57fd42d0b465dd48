#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/wait_until.h"
#include "app_harness.h"
#include "tests/support/temp_folder.h"
#include "vantrel/app/about_dialog.h"
#include "vantrel/app/application_hooks.h"
#include "vantrel/app/desktop.h"
#include "vantrel/app/external_programs.h"
#include "vantrel/app/help_commands.h"
#include "vantrel/app/qt_process_starter.h"
#include "vantrel/app/wizard_handover.h"
#include "vantrel/config/message_texts.h"

using namespace vantrel;
namespace fs = std::filesystem;

namespace {

// A stand-in for Orvik in a program folder of its own: a script that records
// its arguments one per line, copies result.psd (when there is one) to
// working.psd beside itself and ends with the code in exit-code ("kill" ends it
// by a signal instead).
class StandInWizard {
public:
    explicit StandInWizard(fs::path folder) : folder_(std::move(folder)) {
        fs::create_directories(folder_);
        std::ofstream(folder_ / "orvik") << "#!/bin/sh\n"
                                            "here=$(dirname \"$0\")\n"
                                            ": > \"$here/args\"\n"
                                            "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$here/args\"; done\n"
                                            "[ -f \"$here/result.psd\" ] && cp \"$here/result.psd\" \"$here/working.psd\"\n"
                                            "code=$(cat \"$here/exit-code\")\n"
                                            "[ \"$code\" = kill ] && kill -KILL $$\n"
                                            "exit \"$code\"\n";
        fs::permissions(folder_ / "orvik", fs::perms::owner_all);
        EndWith("1");
    }
    void EndWith(const std::string& code) const { std::ofstream(folder_ / "exit-code") << code; }
    std::string Folder() const { return folder_.string(); }
    std::string Scratch() const { return (folder_ / "working.psd").string(); }
    std::string Result() const { return (folder_ / "result.psd").string(); }
    bool Ran() const { return fs::exists(folder_ / "args"); }
    std::vector<std::string> Arguments() const {
        std::ifstream in(folder_ / "args");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    fs::path folder_;
};

class RecordingDesktop : public IDesktop {
public:
    std::vector<std::string> files;
    std::vector<std::string> addresses;
    void OpenFile(const std::string& path) override { files.push_back(path); }
    void OpenAddress(const std::string& address) override { addresses.push_back(address); }
};

constexpr double kWizardVoltage = 14400;

struct HandoverHarness : AppHarness {
    StandInWizard wizard;
    explicit HandoverHarness(const std::string& programFolder = "bin") : wizard(dir.Path() / programFolder) {
        app->External().SetProgramFolder(wizard.Folder());
        record->minStartupVoltage = 9000;
        record->fileTitle = "board";
        record->loaded = 1;
    }
    // The profile the wizard hands back: the record with another start-up voltage.
    void WizardSaves() {
        CBoardLink otherLink;
        CConfigData saved(otherLink, (dir.Path() / "other.ini").string());
        saved.minStartupVoltage = kWizardVoltage;
        ASSERT_EQ(saved.ReadWriteProfile(wizard.Result(), 1), 0);
        wizard.EndWith("0");
    }
};

TEST(WizardHandOver, FileNewLoadsWhatTheWizardSaved) {
    HandoverHarness h;
    int reloads = 0;
    h.app->editors.OnReloadFromRecord([&] { ++reloads; });
    h.WizardSaves();
    ASSERT_TRUE(h.app->Execute(MenuCommand::FileNew));
    EXPECT_TRUE(h.wizard.Arguments().empty());
    EXPECT_EQ(h.record->minStartupVoltage, kWizardVoltage);
    EXPECT_EQ(h.record->fileTitle, texts::kUntitled);
    EXPECT_EQ(h.record->loaded, 0);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kProfileLoaded});
}

TEST(WizardHandOver, ToolsOrvikCancelledOrKilledLeavesTheRecord) {
    for (const char* end : {"1", "kill"}) {
        HandoverHarness h;
        h.wizard.EndWith(end);
        ASSERT_TRUE(h.app->Execute(MenuCommand::ToolsOrvik));
        EXPECT_EQ(h.wizard.Arguments(), (std::vector<std::string>{"-f", h.wizard.Scratch()})) << end;
        EXPECT_EQ(h.record->minStartupVoltage, 9000) << end;
        EXPECT_EQ(h.record->fileTitle, texts::kUntitled) << end;
        EXPECT_EQ(h.record->loaded, 0) << end;
        EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kWizardCancelled}) << end;
    }
}

TEST(WizardHandOver, AProgramFolderWithBlanksReachesTheWizardWhole) {
    HandoverHarness h("Program Files/IXEN tools");
    h.WizardSaves();
    h.app->Execute(MenuCommand::ToolsOrvik);
    EXPECT_EQ(h.wizard.Arguments(), (std::vector<std::string>{"-f", h.wizard.Scratch()}));
    EXPECT_EQ(h.record->minStartupVoltage, kWizardVoltage);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kProfileLoaded});
}

TEST(WizardHandOver, AMissingWizardDoesNothing) {
    HandoverHarness h;
    fs::remove(fs::path(h.wizard.Folder()) / "orvik");
    h.app->Execute(MenuCommand::ToolsOrvik);
    h.app->Execute(MenuCommand::FileNew);
    EXPECT_TRUE(h.prompter.messages.empty());
    EXPECT_EQ(h.record->minStartupVoltage, 9000);
    EXPECT_EQ(h.record->fileTitle, texts::kUntitled);
}

TEST(WizardHandOver, AScratchProfileThatCannotBeWrittenIsReported) {
    HandoverHarness h;
    fs::create_directory(h.wizard.Scratch());  // a folder where the file should go
    h.app->Execute(MenuCommand::ToolsOrvik);
    EXPECT_TRUE(h.wizard.Ran());
    EXPECT_TRUE(h.wizard.Arguments().empty());
    ASSERT_FALSE(h.prompter.messages.empty());
    EXPECT_EQ(h.prompter.messages.back().text, kWizardCancelled);
}

// Ticks of the held timer that fall due while the program runs are delivered
// once, after it has ended; none arrive meanwhile.
TEST(QtProcessStarterTest, HoldsTimerTicksUntilTheProgramHasEnded) {
    ixen_testing::TempFolder folder;
    const std::string release = folder.File("release");
    QTimer held;
    held.setInterval(1);
    int ticksWhileRunning = 0;
    bool running = false;
    QObject::connect(&held, &QTimer::timeout, [&] {
        if (running) ++ticksWhileRunning;
    });
    int delivered = 0;
    QtProcessStarter starter(held, [&] { ++delivered; });
    starter.onStarted = [&](qint64) {
        running = true;
        held.start();
        // Due later than the held timer's first tick, so that tick has come by then.
        QTimer::singleShot(20, [&] { std::ofstream(release) << ""; });
    };
    const ProcessEnd end =
        starter.Run("/bin/sh", {"-c", "while [ ! -e \"$0\" ]; do sleep 0.01; done; exit 3", release});
    running = false;
    held.stop();
    EXPECT_TRUE(end.ExitedWith(3));
    EXPECT_EQ(ticksWhileRunning, 0);
    EXPECT_EQ(delivered, 1);
}

#ifdef ORVIK_PROGRAM
std::vector<std::string> CommandLineOf(qint64 processId) {
    std::ifstream in("/proc/" + std::to_string(processId) + "/cmdline", std::ios::binary);
    std::vector<std::string> words;
    for (std::string word; std::getline(in, word, '\0');) words.push_back(word);
    return words;
}

// The real wizard, started as Tools > Orvik starts it, then closed.
TEST(WizardHandOver, StartsTheRealOrvikWithItsLoadOption) {
    AppHarness h;
    const fs::path programFolder = h.dir.Path() / "with blank";
    fs::create_directories(programFolder);
    fs::create_symlink(ORVIK_PROGRAM, programFolder / "orvik");
    h.app->External().SetProgramFolder(programFolder.string());
    const std::string scratch = (programFolder / "working.psd").string();

    QtProcessStarter starter;
    std::vector<std::string> commandLine;
    starter.onStarted = [&](qint64 processId) {
        // The child may not have reached its exec yet: wait for the wizard's own command line.
        ixen_testing::WaitUntil([&] {
            commandLine = CommandLineOf(processId);
            return commandLine.size() == 3;
        });
        kill(static_cast<pid_t>(processId), SIGTERM);
    };
    h.app->External().UseProcessStarter(starter);
    h.app->Execute(MenuCommand::ToolsOrvik);
    ASSERT_EQ(commandLine.size(), 3u);
    EXPECT_EQ(commandLine[1], "-f");
    EXPECT_EQ(commandLine[2], scratch);
    EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{kWizardCancelled});
}
#endif

TEST(HelpMenu, ManualsOpenFromTheStartDirectoryOnly) {
    struct Case {
        MenuCommand command;
        const char* file;
    };
    const Case cases[] = {{MenuCommand::HelpVantrelManual, "Vantrel.pdf"},
                          {MenuCommand::HelpFirmwareManual, "IXEN-FW-MAN.pdf"},
                          {MenuCommand::HelpSerManual, "IXEN-SER-MAN.pdf"},
                          {MenuCommand::Help104Manual, "IXEN-MAN.pdf"}};
    for (const Case& c : cases) {
        HandoverHarness h;
        RecordingDesktop desktop;
        h.app->External().UseDesktop(desktop);
        std::ofstream(fs::path(h.wizard.Folder()) / c.file) << "%PDF";  // beside the program: not searched
        h.app->Execute(c.command);
        EXPECT_TRUE(desktop.files.empty()) << c.file;
        EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{std::string(c.file) + " File Not Found"});

        std::ofstream(h.dir.Path() / c.file) << "%PDF";
        h.app->Execute(c.command);
        EXPECT_EQ(desktop.files, std::vector<std::string>{(h.dir.Path() / c.file).string()});
        EXPECT_EQ(h.prompter.messages.size(), 1u);
    }
}

TEST(HelpMenu, WebHelpAndTheAboutLinkOpenTheWebAddress) {
    HandoverHarness h;
    RecordingDesktop desktop;
    h.app->External().UseDesktop(desktop);
    h.app->Execute(MenuCommand::HelpWeb);
    EXPECT_EQ(desktop.addresses, std::vector<std::string>{kWebHelpAddress});

    AboutDialog about(desktop);
    EXPECT_EQ(about.windowTitle(), "About ");
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    for (const char* line : {"Vantrel", "Version 3.3", "Featuring I/O Text Debug"}) EXPECT_TRUE(texts.contains(line));
    EXPECT_TRUE(texts.filter("Orvik").size() == 1);
    const auto* link = about.findChild<QLabel*>("webAddress");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains(kWebHelpAddress));
    Q_EMIT const_cast<QLabel*>(link)->linkActivated(kWebHelpAddress);
    EXPECT_EQ(desktop.addresses.size(), 2u);
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "&OK");
    about.show();
    buttons[0]->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
