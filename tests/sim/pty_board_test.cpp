// The board on a real pseudo-terminal, as the serial link sees it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "sim/pty_board.h"
#include "tests/support/wait_until.h"

namespace ixsim {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
using ixen_testing::WaitUntil;

// A minimal client: the path opened raw, 9600 8N1.
class Client {
 public:
  explicit Client(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd_ < 0) return;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    tcsetattr(fd_, TCSANOW, &t);
  }
  ~Client() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void Write(uint8_t b) { ASSERT_EQ(write(fd_, &b, 1), 1); }
  // One byte, or -1 after timeoutMs.
  int Read(int timeoutMs = 1000) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) != 1) return -1;
    uint8_t b = 0;
    return read(fd_, &b, 1) == 1 ? b : -1;
  }
  // Byte-synchronous exchange as the link does with the bus timer: send, then
  // wait for one answer except after the final 0xFF of a read.
  Bytes Exchange(const Bytes& host, bool read) {
    Bytes answers;
    for (size_t i = 0; i < host.size(); ++i) {
      Write(host[i]);
      if (read && i + 1 == host.size()) break;
      const int a = Read();
      if (a < 0) break;
      answers.push_back(static_cast<uint8_t>(a));
    }
    return answers;
  }

 private:
  int fd_ = -1;
};

TEST(PtyBoard, GoldenFramesThroughThePty) {
  PtyBoard board(BoardOptions{});
  ASSERT_EQ(board.Path().rfind("/dev/pts/", 0), 0u) << board.Path();
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  EXPECT_EQ(c.Exchange({0xF0}, false), Bytes{0xF0});
  EXPECT_EQ(c.Exchange({0x12, 0xA0, 0x34, 0x12, 0xD0}, false), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF}));
  EXPECT_EQ(c.Exchange({0x13, 0xA0, 0x02, 0x03, 0xFF}, true), (Bytes{0x00, 0x34, 0x12, 0xC6}));
  EXPECT_EQ(c.Read(50), -1);  // nothing after the final clock
  board.WithBoard([](Board& b) { EXPECT_EQ(b.Register(0xA0), 0x1234); });
}

TEST(PtyBoard, BytesAreNotTranslated) {
  // CR, LF, XON/XOFF, ^C and 0xFF pass unchanged in both directions.
  PtyBoard board(BoardOptions{});
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  const uint16_t word = 0x0D0A;
  const Bytes body{0x12, 0xA0, 0x0A, 0x0D};
  Bytes frame = body;
  frame.push_back(Crc8(body.data(), body.size()));
  EXPECT_EQ(c.Exchange(frame, false), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF}));
  board.WithBoard([&](Board& b) {
    EXPECT_EQ(b.Register(0xA0), word);
    b.SetRegister(0xA0, 0x1311);  // XOFF, XON
  });
  const Bytes a = c.Exchange({0x13, 0xA0, 0x02, 0x03, 0xFF}, true);
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[1], 0x11);
  EXPECT_EQ(a[2], 0x13);
}

TEST(PtyBoard, ClientMayCloseAndReopen) {
  PtyBoard board(BoardOptions{});
  for (int i = 0; i < 3; ++i) {
    Client c(board.Path());
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.Exchange({0xF0}, false), Bytes{0xF0});
  }
}

TEST(PtyBoard, NoBusTimerReadArrivesInBulk) {
  BoardOptions o;
  o.protocol = 2;
  PtyBoard board(o);
  board.WithBoard([](Board& b) { b.SetRegister(0xA0, 0x1234); });
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  c.Write(0x13);
  c.Write(0xA0);
  EXPECT_EQ(c.Read(), 0x00);
  EXPECT_EQ(c.Read(), 0x34);
  EXPECT_EQ(c.Read(), 0x12);
  EXPECT_EQ(c.Read(50), -1);
}

TEST(PtyBoard, DelayFaultDelaysEachAnswerByte) {
  BoardOptions o;
  o.faults.delayMs = 30;
  PtyBoard board(o);
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  const auto t0 = Clock::now();
  EXPECT_EQ(c.Exchange({0x12, 0xA0, 0x34, 0x12, 0xD0}, false), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF}));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
  EXPECT_GE(ms, 150);  // five answers, none sooner than its delay
}

TEST(PtyBoard, PacingAt9600Baud) {
  BoardOptions o;
  o.pace9600 = true;
  o.protocol = 2;
  PtyBoard board(o);
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  // 200 handshakes sent at once: each takes a byte time in and, overlapped, a
  // byte time out, so no less than 200 * 1.04 ms in all.
  const auto t0 = Clock::now();
  for (int i = 0; i < 200; ++i) c.Write(0xF0);
  int got = 0;
  while (got < 200 && c.Read(500) == 0xF0) ++got;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
  EXPECT_EQ(got, 200);
  EXPECT_GE(ms, 200);
}

TEST(PtyBoard, ByteTimeoutWhileIdleOnTheLine) {
  BoardOptions o;
  o.byteTimeoutMs = 40;
  PtyBoard board(o);
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  EXPECT_EQ(c.Exchange({0x12, 0xA0}, false), (Bytes{0x00, 0x01}));
  // Nothing more arrives: the board gives up the frame by itself.
  EXPECT_TRUE(WaitUntil([&] {
    bool idle = false;
    board.WithBoard([&](Board& b) { idle = b.Idle(); });
    return idle;
  }));
  EXPECT_EQ(c.Exchange({0xF0}, false), Bytes{0xF0});
}

TEST(PtyBoard, RawModeIsRestoredWhenAClientLeavesItCooked) {
  PtyBoard board(BoardOptions{});
  const int fd = open(board.Path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios t{};
  tcgetattr(fd, &t);
  t.c_lflag |= ECHO | ICANON;
  tcsetattr(fd, TCSANOW, &t);
  const uint8_t f0 = 0xF0;
  ASSERT_EQ(write(fd, &f0, 1), 1);
  // Canonical mode holds the answer until a line end, so only check the board saw
  // the byte (it makes the terminal raw before it reads), and that it is raw now.
  EXPECT_TRUE(WaitUntil([&] {
    Bytes received;
    board.WithBoard([&](Board& b) { received = b.received; });
    return received == Bytes{0xF0};
  }));
  tcgetattr(fd, &t);
  EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
  close(fd);
}

TEST(PtyBoard, ExclusiveFlagOfAClientDoesNotOutliveItsTraffic) {
  // TIOCEXCL stays on a tty while any descriptor is open, and the simulator
  // always holds one: the board clears it so that a client can reopen the path.
  PtyBoard board(BoardOptions{});
  Client c(board.Path());
  ASSERT_TRUE(c.ok());
  ASSERT_EQ(ioctl(c.fd(), TIOCEXCL), 0);
  EXPECT_EQ(c.Exchange({0xF0}, false), Bytes{0xF0});
  int excl = 1;
  ASSERT_EQ(ioctl(c.fd(), TIOCGEXCL, &excl), 0);
  EXPECT_EQ(excl, 0);
}

TEST(PtyBoard, StopIsIdempotentAndQuick) {
  BoardOptions o;
  o.faults.delayMs = 5000;
  PtyBoard board(o);
  Client c(board.Path());
  c.Write(0xF0);  // the answer is 5 s away
  ASSERT_TRUE(WaitUntil([&] {
    bool seen = false;
    board.WithBoard([&](Board& b) { seen = !b.received.empty(); });
    return seen;
  }));
  const auto t0 = Clock::now();
  board.Stop();
  board.Stop();
  EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(2500));  // the pending 5 s wait was cut short
}

}  // namespace
}  // namespace ixsim
