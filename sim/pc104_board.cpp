#include "sim/pc104_board.h"

#include <thread>

namespace ixsim {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kByteTime = std::chrono::nanoseconds(1'041'667);

BoardOptions WithPc104(BoardOptions o) {
  o.pc104 = true;
  return o;
}
}  // namespace

Pc104Board::Pc104Board(BoardOptions options) : board_(WithPc104(std::move(options))) {}

Pc104Board::~Pc104Board() {
  const std::string& dump = board_.options().dumpPath;
  if (dump.empty()) return;
  try {
    SaveProfile(dump, board_.eeprom);
  } catch (...) {
    // Best effort in a destructor.
  }
}

void Pc104Board::Out(uint8_t b) {
  std::lock_guard<std::mutex> lock(mu_);
  // The port holds one answer at a time: a new host byte replaces whatever the
  // host did not read.
  answers_.clear();
  const auto now = Clock::now();
  const Faults& f = board_.options().faults;
  const bool pace = board_.options().pace9600;
  auto ready = now;
  for (uint8_t a : board_.OnHostByte(b, now)) {
    ready = std::max(ready, next_);
    if (f.delayMs > 0) ready += std::chrono::milliseconds(f.delayMs);
    if (pace) ready += kByteTime;
    next_ = ready;
    answers_.push_back({a, ready});
  }
  board_.Touch(ready);
}

uint8_t Pc104Board::In() {
  std::lock_guard<std::mutex> lock(mu_);
  if (answers_.empty() || answers_.front().ready > Clock::now()) return 0xFF;
  const uint8_t b = answers_.front().value;
  answers_.pop_front();
  return b;
}

bool Pc104Board::Pending() {
  std::lock_guard<std::mutex> lock(mu_);
  return !answers_.empty() && answers_.front().ready <= Clock::now();
}

}  // namespace ixsim
