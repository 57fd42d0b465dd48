// Board logic of the IXEN charger simulator: a pure byte-in/bytes-out state
// machine, no I/O. Thread-compatible: one thread at a time (PtyBoard and
// Pc104Board serialise access with their mutex).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace ixsim {

// Fault injection, for tests.
struct Faults {
  bool silent = false;      // answer nothing at all
  // Positions count every answer byte the board logic produces, from 0 at
  // construction, the 0xF0 handshake answers included.
  int dropAt = -1;          // drop the answer byte at this position
  int corruptAt = -1;       // corrupt (xor 0x5A) the answer byte at this position
  double dropRate = 0;      // probability of dropping each answer byte
  double corruptRate = 0;   // probability of corrupting each answer byte
  unsigned seed = 1;        // seed of the random faults
  int failCommand = -1;     // function failure for this command: a write's last acknowledgement
                            // is 0xFE (the write is not done); a read answers 0xFE for every
                            // data and checksum byte
  int delayMs = 0;          // delay before each answer byte (applied by PtyBoard/Pc104Board)
};

struct BoardOptions {
  int protocol = 0;          // 0: bus timer + checksum, 1: bus timer, no checksum, 2: no bus timer, no checksum
  bool busTimerAtPowerUp = true; // false: start in protocol 2 until command 0x00 switches the bus
                                 // timer on (to protocol, 1 when that is 2), as a serial board does
  int firmwareType = 2;      // 0 Standard, 1 UPS, 2 UPS18 (CRC-8 checksum when 2, else sum)
  bool altAddresses = false; // false: 0x12/0x13, true: 0x14/0x15
  bool bootloader = false;   // start in bootloader mode
  bool pc104 = false;        // bootloader failure/end bytes 0xFF/0xFC instead of 0xF0/0xFE
  std::string profilePath;   // load EEPROM from this profile (.psd) when not empty
  std::string dumpPath;      // write EEPROM as a profile here on exit (PtyBoard/Pc104Board destructor)
  Faults faults;
  bool pace9600 = false;     // pace every byte as a 9600-baud line (transports)
  int byteTimeoutMs = 100;   // a frame silent for longer than this returns to idle
  std::string identification = "IXEN SIM V3.3   "; // 16 characters of command 0x3F
};

// Frame checksums.
uint8_t SumChecksum(const uint8_t* data, size_t n);   // negated 8-bit sum
uint8_t Crc8(const uint8_t* data, size_t n);          // poly 0x07, init 0

// Profile (.psd Intel HEX) reader/writer. Throws std::runtime_error on failure.
std::array<uint8_t, 256> LoadProfile(const std::string& path);
void SaveProfile(const std::string& path, const std::array<uint8_t, 256>& eeprom);
std::string ProfileText(const std::array<uint8_t, 256>& eeprom);
std::array<uint8_t, 256> ParseProfile(const std::string& text);

// How the board decodes a frame (the mirror of the host's exchange):
//  - At frame start 0xF0 is answered 0xF0; the board's write address (bit 0
//    clear) or read address (bit 0 set) opens a frame and is answered 0x00;
//    every other byte is ignored (stray clocks, the other address pair).
//  - K follows; n = 16 for K = 0x3F, else 2; the frame's last position is
//    C + n + 1, C = 1 while protocol 0 is in force.
//  - Write: each byte is acknowledged with its position, the last with 0xFF
//    (0xFE when its checksum is wrong or the command is made to fail; the write
//    is then not done). The same bytes, as they arrive, without the bus timer.
//  - Read with the bus timer: K and each clock byte are answered with the next
//    answer byte (data, then checksum over A, K and data); the final clock gets
//    nothing. A 0xFF clock always ends the frame (a host that expects no
//    checksum), so nothing stale is left queued. Without the bus timer the board
//    sends all data bytes by itself after K and the frame ends; the host's extra
//    clock bytes then fall on an idle board and are ignored.
//  - A frame silent for longer than byteTimeoutMs (counted from the board's
//    last answer, see Touch) returns to frame start.
//  - Command 0x00 written with 1 or 0 switches the bus timer on (back to the
//    configured protocol, 1 when that was 2) or off (protocol 2), after the frame.
//  - A host on the wrong protocol thus gets wrong acknowledgements, short
//    answers or a wrong checksum, never a hang.
// Commands: 0xA0 = EEPROM pointer word (0x100 + offset), 0xA1 = word at the
// pointer (low byte first, pointer then advances one word, wrapping at 0x100),
// 0x3F = 16-character identification (read only), 0x12 written with 4 = processor
// reset, 0xB1/0xB0 = realtime clock high/low word (reading 0xB1 latches the count
// for the next 0xB0 read; writing 0xB0 sets the count from the last 0xB1 write),
// live battery, sensor and supply values; every other command is a word of a
// register file (0 until written).
class Board {
 public:
  using Clock = std::chrono::steady_clock;
  // Throws std::invalid_argument for a protocol outside 0..2, std::runtime_error
  // when options.profilePath cannot be read.
  explicit Board(BoardOptions options);

  // One host byte in; the answer bytes (after faults) out. `now` is the time the
  // byte arrived; it drives the byte time-out, the charging model and the clock.
  std::vector<uint8_t> OnHostByte(uint8_t b, Clock::time_point now);
  std::vector<uint8_t> OnHostByte(uint8_t b) { return OnHostByte(b, Clock::now()); }

  // The board finished sending its answer at t: the byte time-out of an open
  // frame counts from here (so an answer delay does not expire the frame).
  void Touch(Clock::time_point t);
  // Applies the byte time-out now: an open frame silent for longer than
  // byteTimeoutMs returns to idle. OnHostByte does this itself.
  void Expire(Clock::time_point now);

  // Word registers. Register: the word a host read of cmd would return at `now`
  // (live values included), without side effects (no pointer advance).
  uint16_t Register(uint8_t cmd) const;
  uint16_t Register(uint8_t cmd, Clock::time_point now) const;
  // SetRegister: as a host write, without side effects (0xA1 writes the word at
  // the pointer without advancing, 0x12 = 4 counts no reset). For live read-only
  // values (battery, sensors, supplies) and the clock words it pins the value
  // until ClearOverride.
  void SetRegister(uint8_t cmd, uint16_t value);
  void ClearOverride(uint8_t cmd);

  // Bootloader mode (entered by hand on the real board: jumper at power-up).
  // The end-of-file record returns the board to normal operation.
  void EnterBootloader();
  void LeaveBootloader();
  bool InBootloader() const { return bootMode_; }
  bool Idle() const { return state_ == State::Idle; }  // at frame start

  const BoardOptions& options() const { return opt_; }
  uint8_t WriteAddress() const { return opt_.altAddresses ? 0x14 : 0x12; }
  uint8_t ReadAddress() const { return WriteAddress() | 1; }
  // Protocol now in force: 0, 1 or 2 (the bus timer switch of command 0x00
  // moves between the configured protocol and 2).
  int Protocol() const { return !busTimer ? 2 : (protocolChecksum_ ? 0 : 1); }
  uint8_t Checksum(const uint8_t* data, size_t n) const;  // CRC-8 for firmware 2, else sum

  // Public state, for tests.
  std::array<uint8_t, 256> eeprom{};
  bool busTimer = true;
  int resets = 0;                    // processor resets seen (0x12 written with 4)
  std::vector<uint8_t> received;     // every host byte seen
  std::vector<uint8_t> answered;     // every answer byte sent (after faults)
  uint8_t eepromPointer = 0;         // byte offset of the EEPROM pointer
  std::string identification;        // 16 characters, command 0x3F
  int answerCount = 0;               // answer bytes produced so far (fault positions count these)
  int checksumErrors = 0;            // write frames rejected with 0xFE for their checksum
  int timeouts = 0;                  // frames abandoned by the byte time-out
  std::vector<std::string> firmwareRecords;  // good records received by the bootloader
  bool firmwareComplete = false;     // end-of-file record seen in the bootloader

 private:
  enum class State { Idle, Frame };
  struct Live {
    int temperature = 0, voltage = 0, current = 0, averageCurrent = 0, remaining = 0, status = 0;
    int inputVoltage = 0, inputCurrent = 0, inputPower = 0, chargePower = 0;
  };
  void Emit(std::vector<uint8_t>& out, uint8_t b);
  std::vector<uint8_t> Finish(std::vector<uint8_t> out);
  std::vector<uint8_t> BootByte(uint8_t b);
  void ExecuteWrite(uint8_t cmd, const std::vector<uint8_t>& data);
  std::vector<uint8_t> ReadData(uint8_t cmd, Clock::time_point now);
  Live Model(Clock::time_point now) const;
  int64_t RtcCount(Clock::time_point now) const;
  // The EEPROM word at the pointer (low byte first) and the pointer's register.
  uint16_t PointedWord() const;
  void StorePointedWord(uint16_t w);
  void SetPointer(uint16_t w);
  void AdvancePointer();
  int DataCount(uint8_t cmd) const { return cmd == 0x3F ? 16 : 2; }

  BoardOptions opt_;
  bool protocolChecksum_ = true;     // checksum in use while the bus timer is on
  State state_ = State::Idle;
  Clock::time_point last_{};
  bool haveLast_ = false;
  Clock::time_point lastNow_{};
  // The open frame.
  bool isRead_ = false;
  bool frameChecksum_ = true, frameBusTimer_ = true;
  uint8_t address_ = 0, cmd_ = 0;
  int position_ = 0;                 // frame position of the next host byte (A = 0)
  int last_pos_ = 0;                 // the frame's last position, C + n + 1
  std::vector<uint8_t> frame_;       // A, K, data..., checksum
  std::vector<uint8_t> readAnswer_;  // data + checksum of a read
  size_t readIndex_ = 0;
  bool failFrame_ = false;
  // Registers.
  uint16_t pointerWord_ = 0;         // last word written to 0xA0, offset advanced
  std::map<uint8_t, uint16_t> regs_;
  std::map<uint8_t, uint16_t> overrides_;
  Clock::time_point start_;
  int64_t rtcBase_ = 0;              // realtime clock count at start_ (or at rtcSetAt_)
  bool rtcSet_ = false;
  Clock::time_point rtcSetAt_{};
  uint16_t rtcHighPending_ = 0;
  int64_t rtcLatch_ = 0;
  Clock::time_point rtcLatchAt_{};
  bool rtcLatched_ = false;
  std::mt19937 rng_;
  // Bootloader.
  bool bootMode_ = false;
  uint8_t bootCount_ = 0x2A;
  std::string bootLine_;
  bool bootInRecord_ = false;
};

}  // namespace ixsim
