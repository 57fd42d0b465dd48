#include "sim/pty_board.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace ixsim {

namespace {

using Clock = std::chrono::steady_clock;

// One byte on a 9600-baud line with 8N1 framing: 10 bits.
constexpr auto kByteTime = std::chrono::nanoseconds(1'041'667);

void MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  const speed_t in = cfgetispeed(&t), out = cfgetospeed(&t);
  cfmakeraw(&t);
  cfsetispeed(&t, in);
  cfsetospeed(&t, out);
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  tcsetattr(fd, TCSANOW, &t);
}

// True when the slave's line discipline would translate or echo bytes (a client
// that opened the path without raw mode).
bool NeedsRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  return (t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN)) || (t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON)) ||
         (t.c_oflag & OPOST);
}

}  // namespace

PtyBoard::PtyBoard(BoardOptions options) : opt_(options), board_(std::move(options)) {
  char name[256] = {0};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
    throw std::runtime_error(std::string("openpty failed: ") + std::strerror(errno));
  MakeRaw(slave_);
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  path_ = name;
  int p[2];
  if (pipe(p) != 0) {
    close(master_);
    close(slave_);
    throw std::runtime_error(std::string("pipe failed: ") + std::strerror(errno));
  }
  wakeRead_ = p[0];
  wakeWrite_ = p[1];
  fcntl(wakeRead_, F_SETFD, FD_CLOEXEC);
  fcntl(wakeWrite_, F_SETFD, FD_CLOEXEC);
  thread_ = std::thread([this] { Serve(); });
}

PtyBoard::~PtyBoard() {
  Stop();
  try {
    DumpNow();
  } catch (...) {
    // A destructor must not throw; the dump is best effort here.
  }
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
  if (wakeRead_ >= 0) close(wakeRead_);
  if (wakeWrite_ >= 0) close(wakeWrite_);
}

void PtyBoard::WithBoard(const std::function<void(Board&)>& fn) {
  std::lock_guard<std::mutex> lock(mu_);
  fn(board_);
}

void PtyBoard::Stop() {
  if (stop_.exchange(true)) {
    if (thread_.joinable()) thread_.join();
    return;
  }
  const char c = 'x';
  [[maybe_unused]] ssize_t n = write(wakeWrite_, &c, 1);
  if (thread_.joinable()) thread_.join();
}

void PtyBoard::DumpNow() {
  if (opt_.dumpPath.empty()) return;
  std::array<uint8_t, 256> image;
  {
    std::lock_guard<std::mutex> lock(mu_);
    image = board_.eeprom;
  }
  SaveProfile(opt_.dumpPath, image);
}

constexpr auto kSpinMargin = std::chrono::microseconds(150);

// Waits until t or until Stop; false when stopped.
bool PtyBoard::SleepUntil(Clock::time_point t) {
  for (;;) {
    if (stop_) return false;
    const auto now = Clock::now();
    if (now >= t) return true;
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(t - now).count();
    if (left < 2000) {
      // Short waits: sleep to just before t, then spin, because a sleeping
      // thread wakes tens of microseconds late and paced bytes would add that up.
      std::this_thread::sleep_until(t - kSpinMargin);
      while (Clock::now() < t) std::this_thread::yield();
      return !stop_;
    }
    pollfd pfd{wakeRead_, POLLIN, 0};
    poll(&pfd, 1, static_cast<int>((left - 1000) / 1000));
  }
}

// Writes one byte to the master, waiting while the client does not read.
bool PtyBoard::WriteMaster(uint8_t b) {
  for (;;) {
    if (stop_) return false;
    const ssize_t n = write(master_, &b, 1);
    if (n == 1) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd pfd[2] = {{master_, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
    poll(pfd, 2, 100);
  }
}

void PtyBoard::Serve() {
  const Faults& faults = opt_.faults;
  Clock::time_point rxDone{}, txDone{};
  std::vector<uint8_t> buf(512);
  while (!stop_) {
    pollfd pfd[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int r = poll(pfd, 2, 50);
    if (stop_) break;
    if (r < 0) {
      if (errno == EINTR) continue;
      break;
    }
    // A client that opened the path with TIOCEXCL would keep it exclusive after
    // its close, because the simulator holds the slave open: a non-root client
    // could then never reopen it. Exclusivity between clients is theirs to
    // arrange (flock); the simulator clears the flag whenever it wakes.
    ioctl(slave_, TIOCNXCL);
    {
      // Let an idle frame expire even while no byte comes.
      std::lock_guard<std::mutex> lock(mu_);
      board_.Expire(Clock::now());
    }
    if (r == 0 || !(pfd[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    if (NeedsRaw(slave_)) MakeRaw(slave_);
    const ssize_t n = read(master_, buf.data(), buf.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) {
      // EIO: no slave open (cannot happen while we hold the slave); do not spin.
      SleepUntil(Clock::now() + std::chrono::milliseconds(10));
      continue;
    }
    const auto arrival = Clock::now();
    for (size_t i = 0; i < static_cast<size_t>(n) && !stop_; ++i) {
      auto at = arrival;
      if (opt_.pace9600) {
        // The byte is received one byte time after the line was free to carry it.
        rxDone = std::max(rxDone, arrival) + kByteTime;
        if (!SleepUntil(rxDone)) return;
        at = rxDone;
      }
      std::vector<uint8_t> answers;
      {
        std::lock_guard<std::mutex> lock(mu_);
        answers = board_.OnHostByte(buf[i], at);
      }
      for (uint8_t a : answers) {
        auto due = std::max(txDone, opt_.pace9600 ? at : Clock::now());
        if (faults.delayMs > 0) due += std::chrono::milliseconds(faults.delayMs);
        if (opt_.pace9600) due += kByteTime;
        if (faults.delayMs > 0 || opt_.pace9600) {
          if (!SleepUntil(due)) return;
        }
        txDone = due;
        if (!WriteMaster(a)) return;
      }
      if (!answers.empty()) {
        std::lock_guard<std::mutex> lock(mu_);
        board_.Touch(Clock::now());
      }
    }
  }
}

}  // namespace ixsim
