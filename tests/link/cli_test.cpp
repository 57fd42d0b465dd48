// The built vantrel-cli, run as a program against its simulated board.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "sim/board.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

CliRun RunCli(const std::string& arguments) {
    static int counter = 0;
    // CTest runs test cases side by side in separate processes: the pid keeps their files apart.
    const std::string base =
        testing::TempDir() + "/vantrel-cli-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    const std::string command =
        std::string(VANTREL_CLI_PATH) + " " + arguments + " >" + base + ".out 2>" + base + ".err";
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Slurp(base + ".out");
    run.err = Slurp(base + ".err");
    std::remove((base + ".out").c_str());
    std::remove((base + ".err").c_str());
    return run;
}

std::string Word(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

TEST(VantrelCli, ReadsAWordAsFourUpperCaseHexDigits) {
    const uint16_t expected = ixsim::Board(ixsim::BoardOptions{}).Register(0x15);
    for (const char* port : {"1", "10"}) {
        const CliRun run = RunCli(std::string("--simulate --port ") + port + " read 0x15");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, Word(expected) + "\n") << port;
        EXPECT_TRUE(std::regex_match(run.out, std::regex("0x[0-9A-F]{4}\n")));
    }
}

TEST(VantrelCli, ProbeWithTraceShowsTheGoldenFrames) {
    const CliRun run = RunCli("--simulate --firmware 0 --trace probe");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "board answered\n");
    // The handshake block, then the probe write with its sum checksum 0x2C.
    EXPECT_EQ(run.err.rfind("HOST:<0xF0>      \nIXEN:      <0xF0>\n\nHOST:<0x12>      <0xA0>      <0x22>"
                            "      <0x00>      <0x2C>      \nIXEN:      <0x00>      <0x01>      <0x02>"
                            "      <0x03>      <0xFF>\n",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos);
}

TEST(VantrelCli, IdPrintsTheSixteenCharacters) {
    const CliRun run = RunCli("--simulate --protocol 1 --selector 1 id");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ixsim::BoardOptions{}.identification + "\n");
}

TEST(VantrelCli, WriteThenFailedPortGivesTheTransactionResult) {
    EXPECT_EQ(RunCli("--simulate --protocol 2 write 0x14 1500").status, 0);
    const CliRun missing = RunCli("--com 1=/dev/no-such-serial-port probe");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open COM1 (/dev/no-such-serial-port): No such file or directory"),
              std::string::npos)
        << missing.err;
}

TEST(VantrelCli, UsageErrorsExitWith64) {
    for (const char* arguments : {"", "frobnicate", "read", "read 0x100", "read 0x3F", "write 0x14 70000",
                                  "--port 9 probe", "--protocol 3 probe", "--com 9=/dev/null probe",
                                  "--bogus probe", "--port"}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 64) << arguments;
        EXPECT_NE(run.err.find("usage: vantrel-cli"), std::string::npos) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
}

}  // namespace
