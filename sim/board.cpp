#include "sim/board.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <stdexcept>

namespace ixsim {

namespace {

constexpr uint8_t kSync = 0xF0;
constexpr uint8_t kFail = 0xFE;
constexpr uint8_t kLast = 0xFF;

// Board count of the realtime clock: calendar time + Z - 978336000,
// Z the local standard-time offset west of UTC.
int64_t RtcNow() {
  tzset();
  const int64_t calendar = static_cast<int64_t>(std::time(nullptr));
  return calendar + static_cast<int64_t>(timezone) - 978336000;
}

// Commands whose read value comes from the live model (never from the register file).
bool IsLiveReadOnly(uint8_t cmd) {
  switch (cmd) {
    case 0x08: case 0x09: case 0x0A: case 0x0B: case 0x0F: case 0x11: case 0x13:
    case 0x3E: case 0x90: case 0x91: case 0x92: case 0x93: case 0x94: case 0x9C:
    case 0x9D: case 0x9E:
      return true;
    default:
      return cmd >= 0x80 && cmd <= 0x8F;
  }
}

}  // namespace

uint8_t SumChecksum(const uint8_t* data, size_t n) {
  unsigned sum = 0;
  for (size_t i = 0; i < n; ++i) sum += data[i];
  return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

uint8_t Crc8(const uint8_t* data, size_t n) {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (size_t i = 0; i < t.size(); ++i) {
      uint8_t c = static_cast<uint8_t>(i);
      for (int b = 0; b < 8; ++b) c = static_cast<uint8_t>((c & 0x80) ? (c << 1) ^ 0x07 : (c << 1));
      t[i] = c;
    }
    return t;
  }();
  uint8_t c = 0;
  for (size_t i = 0; i < n; ++i) c = table[c ^ data[i]];
  return c;
}

Board::Board(BoardOptions options)
    : opt_(std::move(options)), start_(Clock::now()), rng_(opt_.faults.seed) {
  if (opt_.protocol < 0 || opt_.protocol > 2) throw std::invalid_argument("protocol must be 0, 1 or 2");
  busTimer = opt_.protocol != 2 && opt_.busTimerAtPowerUp;
  protocolChecksum_ = busTimer && opt_.protocol == 0;
  identification = opt_.identification;
  identification.resize(16, ' ');
  // The EEPROM of a board holding the default configuration record: all
  // zero but one charge cycle, the unused bytes 0x96..0x9D erased.
  eeprom.fill(0x00);
  eeprom[0x89] = 0x01;
  for (size_t i = 0x96; i <= 0x9D; ++i) eeprom[i] = 0xFF;
  if (!opt_.profilePath.empty()) eeprom = LoadProfile(opt_.profilePath);
  rtcBase_ = RtcNow();
  bootMode_ = opt_.bootloader;
  // Power-on values of the writable registers the consoles use.
  regs_[0x14] = 2000;   // charging current setpoint, mA
  regs_[0x15] = 16800;  // charging voltage setpoint, mV
  regs_[0x97] = 30;     // shutdown supply time, s
}

uint8_t Board::Checksum(const uint8_t* data, size_t n) const {
  return opt_.firmwareType == 2 ? Crc8(data, n) : SumChecksum(data, n);
}

void Board::EnterBootloader() {
  bootMode_ = true;
  bootCount_ = 0x2A;
  bootLine_.clear();
  bootInRecord_ = false;
  state_ = State::Idle;
  firmwareComplete = false;
}

void Board::LeaveBootloader() {
  bootMode_ = false;
  state_ = State::Idle;
}

void Board::Emit(std::vector<uint8_t>& out, uint8_t b) {
  const int pos = answerCount++;
  const Faults& f = opt_.faults;
  if (f.silent) return;
  if (pos == f.dropAt) return;
  if (f.dropRate > 0 && std::uniform_real_distribution<double>(0, 1)(rng_) < f.dropRate) return;
  if (pos == f.corruptAt) b ^= 0x5A;
  else if (f.corruptRate > 0 && std::uniform_real_distribution<double>(0, 1)(rng_) < f.corruptRate) b ^= 0x5A;
  out.push_back(b);
}

std::vector<uint8_t> Board::Finish(std::vector<uint8_t> out) {
  answered.insert(answered.end(), out.begin(), out.end());
  return out;
}

void Board::Touch(Clock::time_point t) {
  if (t > last_) last_ = t;
}

void Board::Expire(Clock::time_point now) {
  if (state_ != State::Idle && haveLast_ &&
      now - last_ > std::chrono::milliseconds(opt_.byteTimeoutMs)) {
    state_ = State::Idle;
    ++timeouts;
  }
}

std::vector<uint8_t> Board::OnHostByte(uint8_t b, Clock::time_point now) {
  received.push_back(b);
  std::vector<uint8_t> out;
  if (bootMode_) {
    for (uint8_t a : BootByte(b)) Emit(out, a);
    return Finish(std::move(out));
  }
  Expire(now);
  lastNow_ = now;
  last_ = now;
  haveLast_ = true;

  switch (state_) {
    case State::Idle:
      if (b == kSync) {
        Emit(out, kSync);
      } else if ((b & 0xFE) == WriteAddress()) {
        isRead_ = (b & 1) != 0;
        address_ = b;
        frame_.assign(1, b);
        position_ = 1;
        frameChecksum_ = protocolChecksum_ && busTimer;
        frameBusTimer_ = busTimer;
        state_ = State::Frame;
        Emit(out, 0x00);  // acknowledgement of position 0, or the ignored byte x of a read
      }
      // Any other byte at frame start (a stray clock byte, another board's
      // address) is not for this board: no answer.
      break;

    case State::Frame: {
      const int pos = position_++;
      if (pos == 1) {
        cmd_ = b;
        const int n = DataCount(cmd_);
        last_pos_ = (frameChecksum_ ? 1 : 0) + n + 1;
        failFrame_ = opt_.faults.failCommand == static_cast<int>(cmd_);
      }
      if (!isRead_) {
        frame_.push_back(b);
        if (pos < last_pos_) {
          Emit(out, static_cast<uint8_t>(pos));
          break;
        }
        // Last position: the checksum (protocol 0) or the last data byte.
        state_ = State::Idle;
        const auto n = static_cast<size_t>(DataCount(cmd_));
        bool good = true;
        if (frameChecksum_) {
          good = Checksum(frame_.data(), 2 + n) == frame_[2 + n];
          if (!good) ++checksumErrors;
        }
        if (good && !failFrame_) {
          ExecuteWrite(cmd_, std::vector<uint8_t>(frame_.begin() + 2, frame_.begin() + static_cast<std::ptrdiff_t>(2 + n)));
          Emit(out, kLast);
        } else {
          Emit(out, kFail);
        }
        break;
      }
      // Read.
      if (pos == 1) {
        readAnswer_ = ReadData(cmd_, now);
        if (frameChecksum_) {
          std::vector<uint8_t> sum{address_, cmd_};
          sum.insert(sum.end(), readAnswer_.begin(), readAnswer_.end());
          readAnswer_.push_back(Checksum(sum.data(), sum.size()));
        }
        if (failFrame_) std::fill(readAnswer_.begin(), readAnswer_.end(), kFail);
        readIndex_ = 0;
        if (!frameBusTimer_) {
          // Without the bus timer the board sends the whole answer by itself.
          for (uint8_t a : readAnswer_) Emit(out, a);
          state_ = State::Idle;
          break;
        }
        Emit(out, readAnswer_[readIndex_++]);
        break;
      }
      // Clock bytes. The host's final clock is 0xFF and gets no answer; a 0xFF
      // before the board's last position means the host expects a shorter frame
      // (no checksum), so the frame ends there too and leaves nothing stale.
      if (pos >= last_pos_ || b == kLast) {
        state_ = State::Idle;
        break;
      }
      if (readIndex_ < readAnswer_.size()) Emit(out, readAnswer_[readIndex_++]);
      break;
    }
  }
  return Finish(std::move(out));
}

// ---------------------------------------------------------------------------
// Bootloader: the firmware file arrives one character at a time.

namespace {
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Checks one Intel HEX record (the text after ':'). Returns 1 for a good data or
// other record, 2 for a good end-of-file record, 0 for a bad one.
int CheckRecord(const std::string& text) {
  if (text.size() < 10 || text.size() % 2 != 0) return 0;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int hi = HexValue(text[i]), lo = HexValue(text[i + 1]);
    if (hi < 0 || lo < 0) return 0;
    bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  if (bytes.size() != static_cast<size_t>(bytes[0]) + 5) return 0;
  unsigned sum = 0;
  for (uint8_t v : bytes) sum += v;
  if ((sum & 0xFF) != 0) return 0;
  return bytes[3] == 0x01 ? 2 : 1;
}
}  // namespace

std::vector<uint8_t> Board::BootByte(uint8_t b) {
  const uint8_t failByte = opt_.pc104 ? 0xFF : 0xF0;
  const uint8_t endByte = opt_.pc104 ? 0xFC : 0xFE;
  if (b == ':') {
    bootCount_ = 0x2A;
    bootLine_.clear();
    bootInRecord_ = true;
    return {0x2A};
  }
  // The line feed ends a record; so does the 0xFF the update sends after the end
  // of a file whose last line has no line end.
  if (b == '\n' || (b == 0xFF && bootInRecord_ && !bootLine_.empty())) {
    bootCount_ = 0;
    if (!bootInRecord_) return {0x00};
    bootInRecord_ = false;
    std::string line;
    line.swap(bootLine_);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    const int check = CheckRecord(line);
    if (check == 0) return {failByte};
    firmwareRecords.push_back(":" + line);
    if (check == 2) {
      // Programming done: the board restarts into the new firmware.
      firmwareComplete = true;
      bootMode_ = false;
      state_ = State::Idle;
      return {endByte};
    }
    return {0x00};
  }
  if (bootInRecord_) bootLine_.push_back(static_cast<char>(b));
  return {++bootCount_};
}

// ---------------------------------------------------------------------------
// Commands.

void Board::ExecuteWrite(uint8_t cmd, const std::vector<uint8_t>& data) {
  if (cmd == 0x3F) return;  // identification: read only, the write is accepted and ignored
  const uint16_t w = static_cast<uint16_t>(data[0] | (data[1] << 8));
  switch (cmd) {
    case 0x00:
      regs_[0x00] = w;
      if (w == 1) {
        busTimer = true;
        protocolChecksum_ = opt_.protocol == 0;
      } else if (w == 0) {
        busTimer = false;
        protocolChecksum_ = false;
      }
      return;
    case 0x12:
      regs_[0x12] = w;
      if (w == 4) ++resets;
      return;
    case 0xA0:
      SetPointer(w);
      return;
    case 0xA1:
      StorePointedWord(w);
      AdvancePointer();
      return;
    case 0xB1:
      rtcHighPending_ = w;
      return;
    case 0xB0: {
      const int64_t count = (static_cast<int64_t>(rtcHighPending_) << 16) | w;
      rtcBase_ = count;
      rtcSetAt_ = lastNow_;
      rtcSet_ = true;
      return;
    }
    default:
      if (IsLiveReadOnly(cmd)) return;  // accepted, nothing to change
      regs_[cmd] = w;
      return;
  }
}

uint16_t Board::PointedWord() const {
  return static_cast<uint16_t>(eeprom[eepromPointer] | (eeprom[static_cast<uint8_t>(eepromPointer + 1)] << 8));
}

void Board::StorePointedWord(uint16_t w) {
  eeprom[eepromPointer] = static_cast<uint8_t>(w & 0xFF);
  eeprom[static_cast<uint8_t>(eepromPointer + 1)] = static_cast<uint8_t>(w >> 8);
}

void Board::SetPointer(uint16_t w) {
  pointerWord_ = w;
  eepromPointer = static_cast<uint8_t>(w & 0xFF);
}

void Board::AdvancePointer() {
  eepromPointer = static_cast<uint8_t>(eepromPointer + 2);
  pointerWord_ = static_cast<uint16_t>((pointerWord_ & 0xFF00) | eepromPointer);
}

int64_t Board::RtcCount(Clock::time_point now) const {
  const Clock::time_point from = rtcSet_ ? rtcSetAt_ : start_;
  const auto secs = std::chrono::duration_cast<std::chrono::seconds>(now - from).count();
  return rtcBase_ + (secs > 0 ? secs : 0);
}

std::vector<uint8_t> Board::ReadData(uint8_t cmd, Clock::time_point now) {
  if (cmd == 0x3F) return std::vector<uint8_t>(identification.begin(), identification.begin() + 16);
  uint16_t w = 0;
  switch (cmd) {
    case 0xA1:
      w = PointedWord();
      AdvancePointer();
      break;
    case 0xB1:
      // Register honours words pinned by SetRegister.
      rtcLatch_ = (static_cast<int64_t>(Register(0xB1, now)) << 16) | Register(0xB0, now);
      rtcLatchAt_ = now;
      rtcLatched_ = true;
      w = static_cast<uint16_t>(rtcLatch_ >> 16);
      break;
    case 0xB0:
      if (rtcLatched_ && now - rtcLatchAt_ < std::chrono::seconds(2)) w = static_cast<uint16_t>(rtcLatch_);
      else w = Register(0xB0, now);
      rtcLatched_ = false;
      break;
    default:
      w = Register(cmd, now);
  }
  return {static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>(w >> 8)};
}

// The charging model: a deterministic function of the time since start. The
// battery (4400 mAh, four cells) charges from 20 % to 100 % in 400 s at the
// charging current setpoint, then discharges at 1500 mA for 200 s, and so on.
Board::Live Board::Model(Clock::time_point now) const {
  Live m;
  const double t = std::chrono::duration<double>(now - start_).count();
  const double period = 600, charge = 400;
  const double phase = std::fmod(t < 0 ? 0 : t, period);
  const bool charging = phase < charge;
  const double soc = charging ? 0.2 + 0.8 * phase / charge : 1.0 - 0.8 * (phase - charge) / (period - charge);
  auto reg = [&](uint8_t c, uint16_t d) {
    auto it = regs_.find(c);
    return it == regs_.end() ? d : it->second;
  };
  const double chargeCurrent = charging ? std::min<double>(reg(0x14, 2000), 6000) * (soc > 0.9 ? (1.0 - soc) * 10 + 0.05 : 1.0) : 0;
  const double current = charging ? chargeCurrent : -1500.0;
  m.temperature = 2981 + static_cast<int>(30 * soc) + static_cast<int>(5 * std::sin(t / 7.0));
  m.voltage = static_cast<int>(14400 + 2400 * soc + current * 0.05);
  m.current = static_cast<int>(current);
  m.averageCurrent = static_cast<int>(current * 0.98);
  m.remaining = static_cast<int>(4400 * soc);
  m.status = 0xC000 | (charging ? 0x0000 : 0x0001);  // AC/battery present; inhibited while discharging
  m.inputVoltage = 24000 + static_cast<int>(50 * std::sin(t / 3.0));
  m.chargePower = static_cast<int>(m.voltage / 1000.0 * std::max(0.0, current) / 10.0);
  m.inputPower = m.chargePower + 150 + static_cast<int>(10 * std::sin(t / 5.0));
  m.inputCurrent = static_cast<int>(m.inputPower * 10.0 / (m.inputVoltage / 1000.0));
  return m;
}

uint16_t Board::Register(uint8_t cmd) const { return Register(cmd, Clock::now()); }

uint16_t Board::Register(uint8_t cmd, Clock::time_point now) const {
  if (auto it = overrides_.find(cmd); it != overrides_.end()) return it->second;
  switch (cmd) {
    case 0x00: return busTimer ? 1 : 0;
    case 0xA0: return pointerWord_;
    case 0xA1: return PointedWord();
    case 0xB0: return static_cast<uint16_t>(RtcCount(now));
    case 0xB1: return static_cast<uint16_t>(RtcCount(now) >> 16);
    case 0x3F: return 0;
    default: break;
  }
  if (IsLiveReadOnly(cmd)) {
    const Live m = Model(now);
    const double t = std::chrono::duration<double>(now - start_).count();
    switch (cmd) {
      case 0x08: return static_cast<uint16_t>(m.temperature);
      case 0x09: return static_cast<uint16_t>(m.voltage);
      case 0x0A: return static_cast<uint16_t>(static_cast<int16_t>(m.current));
      case 0x0B: return static_cast<uint16_t>(static_cast<int16_t>(m.averageCurrent));
      case 0x0F: return static_cast<uint16_t>(m.remaining);
      case 0x11: return 0x0011;  // Smart Battery Charger specification 1.1
      case 0x13: return static_cast<uint16_t>(m.status);
      case 0x3E: return static_cast<uint16_t>(0x0330 + opt_.firmwareType);
      case 0x90: return static_cast<uint16_t>(512 + static_cast<int>(20 * std::sin(t / 11.0)));
      case 0x91: return static_cast<uint16_t>(m.inputVoltage);
      case 0x92: return static_cast<uint16_t>(m.inputCurrent);
      case 0x93: return static_cast<uint16_t>(m.inputPower);
      case 0x94: return static_cast<uint16_t>(m.chargePower);
      case 0x9C: return static_cast<uint16_t>(5000 + static_cast<int>(10 * std::sin(t / 2.0)));
      case 0x9D: return static_cast<uint16_t>(12000 + static_cast<int>(20 * std::sin(t / 2.5)));
      case 0x9E: return static_cast<uint16_t>(3300 + static_cast<int>(5 * std::sin(t / 3.5)));
      default: {
        // Temperature sensors 0x80..0x8F, 0.1 K: room temperature plus a little
        // per sensor, drifting slowly.
        const int s = cmd - 0x80;
        return static_cast<uint16_t>(2950 + 5 * s + static_cast<int>(8 * std::sin(t / 13.0 + s)));
      }
    }
  }
  auto it = regs_.find(cmd);
  return it == regs_.end() ? 0 : it->second;
}

void Board::SetRegister(uint8_t cmd, uint16_t value) {
  switch (cmd) {
    case 0x00:
      busTimer = value != 0;
      protocolChecksum_ = busTimer && opt_.protocol == 0;
      return;
    case 0xA0:
      SetPointer(value);
      return;
    case 0xA1:
      StorePointedWord(value);
      return;
    default:
      if (IsLiveReadOnly(cmd) || cmd == 0xB0 || cmd == 0xB1) overrides_[cmd] = value;
      else regs_[cmd] = value;
  }
}

void Board::ClearOverride(uint8_t cmd) { overrides_.erase(cmd); }

}  // namespace ixsim
