// The board reached in process through a port-I/O style object (PC/104).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>

#include "sim/board.h"

namespace ixsim {

// Thread-safe: every member takes the object's mutex, so a firmware-update
// worker thread may drive it while a test inspects it.
//
// Out delivers a host byte; its answer bytes become readable through In, each
// after the answer delay fault and the 9600-baud pacing if configured. The port
// holds the answers of the last host byte only: Out discards answers the host
// did not read. In returns 0xFF, as an idle bus reads, when no answer is ready.
// With the bus timer each host byte produces at most one answer byte.
// The bootloader uses the PC/104 failure and end bytes 0xFF and 0xFC.
class Pc104Board {
 public:
  explicit Pc104Board(BoardOptions options);  // sets options.pc104 = true
  ~Pc104Board();                              // dumps the EEPROM if options.dumpPath
  Pc104Board(const Pc104Board&) = delete;
  Pc104Board& operator=(const Pc104Board&) = delete;

  void Out(uint8_t b);   // host byte to the board
  uint8_t In();          // next answer byte, 0xFF when none is ready
  bool Pending();        // an answer byte is ready
  // The board itself; lock mutex() around its use while other threads drive Out/In.
  Board& board() { return board_; }
  std::mutex& mutex() { return mu_; }

 private:
  struct Answer {
    uint8_t value;
    std::chrono::steady_clock::time_point ready;
  };
  std::mutex mu_;
  Board board_;
  std::deque<Answer> answers_;
  std::chrono::steady_clock::time_point next_{};
};

}  // namespace ixsim
