// The ixen-sim program: path on stdout, options, signals, dump on exit.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "sim/board.h"
#include "tests/support/wait_until.h"

extern char** environ;

namespace {

struct Child {
  pid_t pid = -1;
  int out = -1;  // the child's stdout
  int err = -1;  // the child's stderr
};

Child Spawn(std::vector<std::string> args) {
  std::string program = IXEN_SIM_EXE;
  std::vector<char*> argv{program.data()};
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {};
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, out[1], 1);
  posix_spawn_file_actions_adddup2(&fa, err[1], 2);
  posix_spawn_file_actions_addclose(&fa, out[0]);
  posix_spawn_file_actions_addclose(&fa, err[0]);
  Child c;
  if (posix_spawn(&c.pid, IXEN_SIM_EXE, &fa, nullptr, argv.data(), environ) != 0) c.pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  close(out[1]);
  close(err[1]);
  c.out = out[0];
  c.err = err[0];
  return c;
}

std::string ReadLine(int fd, int timeoutMs) {
  std::string line;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) != 1) return line;
    char ch;
    if (read(fd, &ch, 1) != 1 || ch == '\n') return line;
    line.push_back(ch);
  }
}

// The exit status, or -2 when the program has not ended within the limit (then it is killed).
int Wait(pid_t pid) {
  int status = 0;
  if (ixen_testing::WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }))
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -2;
}

TEST(Program, BadOptionsExit64WithUsage) {
  for (std::vector<std::string> args : {std::vector<std::string>{"--nope"}, {"--protocol", "3"}, {"--delay"},
                                        {"--drop-rate", "2"}, {"--fail-command", "0x1FF"}}) {
    Child c = Spawn(args);
    ASSERT_GT(c.pid, 0);
    EXPECT_EQ(Wait(c.pid), 64) << args[0];
    std::string err;
    char buf[256];
    ssize_t n;
    while ((n = read(c.err, buf, sizeof buf)) > 0) err.append(buf, static_cast<size_t>(n));
    EXPECT_NE(err.find("usage: ixen-sim"), std::string::npos);
    close(c.out);
    close(c.err);
  }
}

TEST(Program, ServesThePtyAndDumpsOnSigterm) {
  const std::string dump = ::testing::TempDir() + "program_dump.psd";
  const std::string pathFile = ::testing::TempDir() + "program_path";
  std::remove(dump.c_str());
  // A long byte time-out: a test thread the machine holds up must not end the frame.
  Child c = Spawn({"--protocol", "1", "--firmware", "0", "--dump", dump, "--path-file", pathFile,
                   "--byte-timeout", "60000"});
  ASSERT_GT(c.pid, 0);
  const std::string path = ReadLine(c.out, 5000);
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  std::ifstream pf(pathFile);
  std::string fromFile;
  std::getline(pf, fromFile);
  EXPECT_EQ(fromFile, path);

  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  // Point at offset 0x20 and write a word there (protocol 1: no checksum).
  const std::vector<std::vector<uint8_t>> frames{{0x12, 0xA0, 0x20, 0x01}, {0x12, 0xA1, 0x34, 0x12}};
  for (const auto& f : frames) {
    for (size_t i = 0; i < f.size(); ++i) {
      ASSERT_EQ(write(fd, &f[i], 1), 1);
      pollfd p{fd, POLLIN, 0};
      ASSERT_EQ(poll(&p, 1, 10000), 1);
      uint8_t a = 0;
      ASSERT_EQ(read(fd, &a, 1), 1);
      EXPECT_EQ(a, i + 1 == f.size() ? 0xFF : i);
    }
  }
  close(fd);
  kill(c.pid, SIGTERM);
  EXPECT_EQ(Wait(c.pid), 0);
  close(c.out);
  close(c.err);
  const auto image = ixsim::LoadProfile(dump);
  EXPECT_EQ(image[0x20], 0x34);
  EXPECT_EQ(image[0x21], 0x12);
  std::remove(dump.c_str());
  std::remove(pathFile.c_str());
}

}  // namespace
