// The board served on a pseudo-terminal (openpty), for the serial link.
//
// A thread reads host bytes from the master side, feeds them to the Board and
// writes the answers back, applying the answer delay fault and the optional
// 9600-baud pacing (absolute deadlines: 1.04 ms per byte in each direction).
// The slave is put in raw mode and kept open by the simulator, so a client may
// close and reopen Path() at will; the master never sees a hang-up. (Stale
// answers a client did not read stay queued for its next open.) Should a client
// switch the slave out of raw mode, the server puts it back before reading; a
// TIOCEXCL a client set is cleared whenever the server wakes (it would outlive
// the client's close, as the simulator holds the slave open), so exclusivity
// between clients has to come from flock.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/board.h"

namespace ixsim {

class PtyBoard {
 public:
  explicit PtyBoard(BoardOptions options);  // throws std::runtime_error when openpty fails
  ~PtyBoard();                              // stops, joins, dumps the EEPROM if options.dumpPath
  PtyBoard(const PtyBoard&) = delete;
  PtyBoard& operator=(const PtyBoard&) = delete;

  const std::string& Path() const { return path_; }  // slave device, e.g. /dev/pts/N
  // Runs fn on the board under the serving lock (inspect or change it).
  void WithBoard(const std::function<void(Board&)>& fn);
  void Stop();  // stops and joins the serving thread; idempotent (call from one thread)
  // Writes the EEPROM to options.dumpPath now (no-op when empty); throws
  // std::runtime_error when the file cannot be written.
  void DumpNow();

 private:
  void Serve();
  bool SleepUntil(std::chrono::steady_clock::time_point t);
  bool WriteMaster(uint8_t b);
  BoardOptions opt_;
  Board board_;
  std::mutex mu_;
  int master_ = -1, slave_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace ixsim
