// vantrel-cli flash, run as a program against its simulated board.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/wait_until.h"
#include "../support/temp_folder.h"
#include "firmware_rig.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/firmware/firmware_texts.h"

extern char** environ;

namespace {

using fwtest::FirmwareText;
namespace texts = vantrel::texts;

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// vantrel-cli with its standard input from a file; onStarted may act on the running process.
class CliProcess {
public:
    CliProcess(const ixen_testing::TempFolder& folder, const std::vector<std::string>& arguments,
               const std::string& input)
        : outPath_(folder.File("cli.out")), errPath_(folder.File("cli.err")) {
        const std::string inPath = folder.Write("cli.in", input);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> all{VANTREL_CLI_PATH};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, VANTREL_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    // Standard error so far.
    std::string Err() const { return Slurp(errPath_); }
    void Interrupt() const { kill(pid_, SIGINT); }
    CliRun Wait() {
        CliRun run;
        int raw = 0;
        if (pid_ > 0 && waitpid(pid_, &raw, 0) == pid_) run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Slurp(outPath_);
        run.err = Err();
        return run;
    }

private:
    std::string outPath_;
    std::string errPath_;
    pid_t pid_ = -1;
};

CliRun Flash(const ixen_testing::TempFolder& folder, const std::vector<std::string>& arguments,
             const std::string& input = "") {
    CliProcess process(folder, arguments, input);
    return process.Wait();
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(FlashCommand, ProgramsTheSimulatedBoardOnEitherTransport) {
    ixen_testing::TempFolder folder;
    const std::string file = folder.Write("fw.hex", FirmwareText{.dataRecords = 12}.Text());
    for (const std::string port : {"1", "8", "10"}) {
        const CliRun run = Flash(folder, {"--simulate", "--port", port, "flash", file, "--yes"});
        EXPECT_EQ(run.status, 0) << port << run.err;
        EXPECT_EQ(run.out, std::string(texts::kFirmwareUpdateSuccessful) + "\n") << port;
        EXPECT_TRUE(Contains(run.err, texts::kFirmwareInstructions)) << port;
        EXPECT_TRUE(Contains(run.err, "bytes sent")) << port << run.err;
    }
}

TEST(FlashCommand, WaitsForEnterAndCancelsAtTheEndOfInput) {
    ixen_testing::TempFolder folder;
    const std::string file = folder.Write("fw.hex", FirmwareText{.dataRecords = 2}.Text());
    const CliRun confirmed = Flash(folder, {"--simulate", "flash", file}, "\n");
    EXPECT_EQ(confirmed.status, 0) << confirmed.err;
    EXPECT_EQ(confirmed.out, std::string(texts::kFirmwareUpdateSuccessful) + "\n");

    const CliRun unanswered = Flash(folder, {"--simulate", "--trace", "flash", file}, "");
    EXPECT_EQ(unanswered.status, 1);
    EXPECT_EQ(unanswered.out, "");
    EXPECT_TRUE(Contains(unanswered.err, "nothing sent")) << unanswered.err;
    EXPECT_FALSE(Contains(unanswered.err, "HOST:")) << "no trace: the link was never used";
}

TEST(FlashCommand, EveryFailureExitsOneWithItsMessage) {
    ixen_testing::TempFolder folder;
    struct Case {
        std::string name;
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {"missing", folder.File("missing.hex"), texts::kProgramFileNotFound},
        {"bad record", folder.Write("bad.hex", FirmwareText{.dataRecords = 3, .badChecksumAt = 1}.Text()),
         texts::kUploadFailed},
        {"no end record", folder.Write("short.hex", FirmwareText{.dataRecords = 2, .endRecord = false}.Text()),
         "did not confirm the end of programming"},
        {"binary", folder.Write("fw.bin", std::string("\0\1\2", 3)), texts::kProgramFileBinary},
    };
    for (const Case& c : cases) {
        const CliRun run = Flash(folder, {"--simulate", "flash", c.file, "--yes"});
        EXPECT_EQ(run.status, 1) << c.name << run.err;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_TRUE(Contains(run.err, c.message)) << c.name << run.err;
    }
    EXPECT_EQ(Flash(folder, {"--simulate", "flash"}).status, 64);
    EXPECT_EQ(Flash(folder, {"--simulate", "flash", "a.hex", "b.hex"}).status, 64);
}

TEST(FlashCommand, SigintStopsTheUpdateLikeTheStopButton) {
    ixen_testing::TempFolder folder;
    const std::string file = folder.Write("fw.hex", FirmwareText{.dataRecords = 60}.Text());
    CliProcess process(folder, {"--simulate", "flash", file, "--yes"}, "");
    ixen_testing::WaitUntil([&] { return Contains(process.Err(), "bytes sent"); }, std::chrono::seconds(30));
    process.Interrupt();
    const CliRun run = process.Wait();
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, std::string(texts::kUploadFailed) + "\n" + texts::kUpdateCancelled + "\n"))
        << run.err;
}

}  // namespace
