// The board logic driven byte by byte, with golden vectors: known frames and their answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/board.h"

namespace ixsim {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Drives a board with frames, one host byte at a time, on a test-owned clock.
struct Driver {
  explicit Driver(BoardOptions o) : board(std::move(o)) {}
  Board board;
  Clock::time_point now = Clock::now();

  // Per host byte, its answers.
  std::vector<Bytes> Each(const Bytes& host) {
    std::vector<Bytes> out;
    for (uint8_t b : host) {
      out.push_back(board.OnHostByte(b, now));
      now += milliseconds(1);
    }
    return out;
  }
  // All answers of a sequence, concatenated.
  Bytes Send(const Bytes& host) {
    Bytes all;
    for (const Bytes& a : Each(host)) all.insert(all.end(), a.begin(), a.end());
    return all;
  }
};

BoardOptions Opts(int protocol, int firmware) {
  BoardOptions o;
  o.protocol = protocol;
  o.firmwareType = firmware;
  return o;
}

// ---------------------------------------------------------------------------
// Checksums.

TEST(Checksum, Crc8CheckValues) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc8(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xF4);
  const std::string abc = "abc";
  EXPECT_EQ(Crc8(reinterpret_cast<const uint8_t*>(abc.data()), abc.size()), 0x5F);
  const Bytes w{0x12, 0xA0, 0x34, 0x12};
  EXPECT_EQ(Crc8(w.data(), w.size()), 0xD0);
  const Bytes r{0x13, 0xA0, 0x34, 0x12};
  EXPECT_EQ(Crc8(r.data(), r.size()), 0xC6);
}

TEST(Checksum, SumCheckValues) {
  const std::string abc = "abc";
  EXPECT_EQ(SumChecksum(reinterpret_cast<const uint8_t*>(abc.data()), abc.size()), 0xDA);
  const Bytes probe{0x12, 0xA0, 0x22, 0x00};
  EXPECT_EQ(SumChecksum(probe.data(), probe.size()), 0x2C);
  const Bytes w{0x12, 0xA0, 0x34, 0x12};
  EXPECT_EQ(SumChecksum(w.data(), w.size()), 0x08);
}

// ---------------------------------------------------------------------------
// Golden vectors: one row per protocol, checksum kind and direction. Every host
// byte's answers are listed separately, so the table also fixes which host byte
// each answer belongs to.

struct Golden {
  const char* name;
  int protocol;
  int firmware;
  Bytes host;
  std::vector<Bytes> answers;  // per host byte
};

void PrintTo(const Golden& g, std::ostream* os) { *os << g.name; }

class GoldenVectors : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenVectors, AnswersEachHostByte) {
  const Golden& g = GetParam();
  Driver d(Opts(g.protocol, g.firmware));
  const bool read = (g.host[0] & 1) != 0;
  if (read) d.board.SetRegister(0xA0, 0x1234);  // the pointer word the reads return
  EXPECT_EQ(d.Each(g.host), g.answers);
  EXPECT_TRUE(d.board.Idle());
  if (!read) {
    EXPECT_EQ(d.board.Register(0xA0), 0x1234);  // the write landed
  }
}

INSTANTIATE_TEST_SUITE_P(
    GoldenFrames, GoldenVectors,
    ::testing::Values(
        Golden{"WriteP0Sum", 0, 0, {0x12, 0xA0, 0x34, 0x12, 0x08}, {{0x00}, {0x01}, {0x02}, {0x03}, {0xFF}}},
        Golden{"WriteP0Crc", 0, 2, {0x12, 0xA0, 0x34, 0x12, 0xD0}, {{0x00}, {0x01}, {0x02}, {0x03}, {0xFF}}},
        Golden{"WriteP1Sum", 1, 0, {0x12, 0xA0, 0x34, 0x12}, {{0x00}, {0x01}, {0x02}, {0xFF}}},
        Golden{"WriteP1Crc", 1, 2, {0x12, 0xA0, 0x34, 0x12}, {{0x00}, {0x01}, {0x02}, {0xFF}}},
        Golden{"WriteP2", 2, 2, {0x12, 0xA0, 0x34, 0x12}, {{0x00}, {0x01}, {0x02}, {0xFF}}},
        Golden{"ReadP0Crc", 0, 2, {0x13, 0xA0, 0x02, 0x03, 0xFF}, {{0x00}, {0x34}, {0x12}, {0xC6}, {}}},
        // 0x13 + 0xA0 + 0x34 + 0x12 = 0xF9, negated 0x07.
        Golden{"ReadP0Sum", 0, 0, {0x13, 0xA0, 0x02, 0x03, 0xFF}, {{0x00}, {0x34}, {0x12}, {0x07}, {}}},
        Golden{"ReadP1", 1, 2, {0x13, 0xA0, 0x02, 0xFF}, {{0x00}, {0x34}, {0x12}, {}}},
        Golden{"ReadP2", 2, 2, {0x13, 0xA0}, {{0x00}, {0x34, 0x12}}}),
    [](const ::testing::TestParamInfo<Golden>& testInfo) { return std::string(testInfo.param.name); });

// ---------------------------------------------------------------------------
// Handshake, checksum failure, time-out.

TEST(Board, HandshakeAtFrameStart) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
  EXPECT_EQ(d.Send({0xF0, 0xF0}), (Bytes{0xF0, 0xF0}));
  EXPECT_TRUE(d.board.Idle());
}

TEST(Board, HandshakeByteInsideAFrameIsData) {
  Driver d(Opts(0, 2));
  // 0xF0 as the low data byte of a write is acknowledged with its position.
  const Bytes body{0x12, 0xA0, 0xF0, 0x01};
  Bytes frame = body;
  frame.push_back(Crc8(body.data(), body.size()));
  EXPECT_EQ(d.Send(frame), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF}));
  EXPECT_EQ(d.board.Register(0xA0), 0x01F0);
}

TEST(Board, WrongWriteChecksumAnswersFE) {
  Driver d(Opts(0, 0));
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x34, 0x12, 0x09}), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFE}));
  EXPECT_EQ(d.board.checksumErrors, 1);
  EXPECT_EQ(d.board.Register(0xA0), 0x0000);  // the write was not done
  EXPECT_TRUE(d.board.Idle());
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
}

TEST(Board, SilentFrameReturnsToIdleAfterByteTimeout) {
  BoardOptions o = Opts(0, 2);
  o.byteTimeoutMs = 100;
  Driver d(o);
  EXPECT_EQ(d.Send({0x12, 0xA0}), (Bytes{0x00, 0x01}));
  EXPECT_FALSE(d.board.Idle());
  d.now += milliseconds(50);
  // Within the time-out 0xF0 is the next data byte.
  EXPECT_EQ(d.Send({0xF0}), Bytes{0x02});
  d.now += milliseconds(150);
  d.board.Expire(d.now);
  EXPECT_TRUE(d.board.Idle());
  EXPECT_EQ(d.board.timeouts, 1);
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
}

TEST(Board, TimeoutCountsFromTheLastAnswer) {
  BoardOptions o = Opts(0, 2);
  o.byteTimeoutMs = 100;
  Driver d(o);
  EXPECT_EQ(d.Send({0x12, 0xA0}), (Bytes{0x00, 0x01}));
  // A transport that delayed the answer by 80 ms reports when it was sent.
  d.board.Touch(d.now + milliseconds(80));
  d.now += milliseconds(150);
  EXPECT_EQ(d.Send({0x34}), Bytes{0x02});  // still inside the frame
}

TEST(Board, OtherAddressPairAndStrayBytesAreIgnored) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(d.Send({0x14, 0x15, 0x02, 0x03, 0xFF, 0x00}), Bytes{});
  EXPECT_TRUE(d.board.Idle());

  BoardOptions alt = Opts(0, 2);
  alt.altAddresses = true;
  Driver a(alt);
  EXPECT_EQ(a.Send({0x12, 0x13}), Bytes{});
  a.board.SetRegister(0xA0, 0x1234);
  const Bytes sum{0x15, 0xA0, 0x34, 0x12};
  EXPECT_EQ(a.Send({0x15, 0xA0, 0x02, 0x03, 0xFF}), (Bytes{0x00, 0x34, 0x12, Crc8(sum.data(), sum.size())}));
}

// ---------------------------------------------------------------------------
// EEPROM.

Bytes WriteFrame(const Board& b, uint8_t cmd, uint16_t w) {
  Bytes f{b.WriteAddress(), cmd, static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>(w >> 8)};
  if (b.Protocol() == 0) f.push_back(b.Checksum(f.data(), f.size()));
  return f;
}

Bytes ReadFrame(const Board& b, uint8_t cmd) {
  Bytes f{b.ReadAddress(), cmd};
  if (b.Protocol() == 2) return f;
  const int n = cmd == 0x3F ? 16 : 2;
  const int last = (b.Protocol() == 0 ? 1 : 0) + n + 1;
  for (int i = 2; i < last; ++i) f.push_back(static_cast<uint8_t>(i));
  f.push_back(0xFF);
  return f;
}

uint16_t ReadWord(Driver& d, uint8_t cmd) {
  const Bytes a = d.Send(ReadFrame(d.board, cmd));
  EXPECT_GE(a.size(), 3u);
  if (a.size() < 3) return 0;
  if (d.board.Protocol() == 0) {
    const Bytes sum{d.board.ReadAddress(), cmd, a[1], a[2]};
    EXPECT_EQ(a.size(), 4u);
    EXPECT_EQ(a.back(), d.board.Checksum(sum.data(), sum.size()));
  }
  return static_cast<uint16_t>(a[1] | (a[2] << 8));
}

const Bytes kWriteAcksP0{0x00, 0x01, 0x02, 0x03, 0xFF};

TEST(Board, EepromPointerAdvancesOneWordPerDataTransaction) {
  for (int protocol : {0, 1, 2}) {
    SCOPED_TRACE(protocol);
    Driver d(Opts(protocol, 2));
    d.Send(WriteFrame(d.board, 0xA0, 0x100 + 0x10));
    EXPECT_EQ(d.board.eepromPointer, 0x10);
    for (uint16_t w : {uint16_t{0xBEEF}, uint16_t{0x1234}, uint16_t{0x0A0B}}) d.Send(WriteFrame(d.board, 0xA1, w));
    EXPECT_EQ(d.board.eeprom[0x10], 0xEF);
    EXPECT_EQ(d.board.eeprom[0x11], 0xBE);
    EXPECT_EQ(d.board.eeprom[0x12], 0x34);
    EXPECT_EQ(d.board.eeprom[0x13], 0x12);
    EXPECT_EQ(d.board.eeprom[0x14], 0x0B);
    EXPECT_EQ(d.board.eeprom[0x15], 0x0A);
    EXPECT_EQ(ReadWord(d, 0xA0), 0x0116);  // the pointer word, advanced

    d.Send(WriteFrame(d.board, 0xA0, 0x110));
    EXPECT_EQ(ReadWord(d, 0xA1), 0xBEEF);
    EXPECT_EQ(ReadWord(d, 0xA1), 0x1234);
    EXPECT_EQ(ReadWord(d, 0xA1), 0x0A0B);
    EXPECT_EQ(d.board.eepromPointer, 0x16);
  }
}

TEST(Board, EepromPointerWrapsAtTheTop) {
  Driver d(Opts(0, 2));
  d.Send(WriteFrame(d.board, 0xA0, 0x1FE));
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0xA1, 0x5566)), kWriteAcksP0);
  EXPECT_EQ(d.board.eeprom[0xFE], 0x66);
  EXPECT_EQ(d.board.eeprom[0xFF], 0x55);
  EXPECT_EQ(d.board.eepromPointer, 0x00);
  EXPECT_EQ(ReadWord(d, 0xA0), 0x0100);
}

TEST(Board, ProbeWordIsReadBack) {
  // The board detection probe: write 0xA0 with 34, read 0xA0.
  Driver d(Opts(0, 0));
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x22, 0x00, 0x2C}), kWriteAcksP0);
  EXPECT_EQ(ReadWord(d, 0xA0), 0x0022);
}

TEST(Board, DefaultEepromIsTheDefaultRecordImage) {
  Board b(Opts(0, 2));
  for (size_t i = 0; i < 256; ++i) {
    const uint8_t want = i == 0x89 ? 0x01 : (i >= 0x96 && i <= 0x9D ? 0xFF : 0x00);
    EXPECT_EQ(b.eeprom[i], want) << i;
  }
}

// ---------------------------------------------------------------------------
// The identification block of 0x3F.

TEST(Board, IdentificationBlockWithBusTimerAndChecksum) {
  BoardOptions o = Opts(0, 2);
  o.identification = "IXEN-104+ 012345";
  Driver d(o);
  const Bytes host = ReadFrame(d.board, 0x3F);
  ASSERT_EQ(host.size(), 19u);  // C + n + 2 positions
  EXPECT_EQ(host[18], 0xFF);
  EXPECT_EQ(host[17], 0x11);
  const auto each = d.Each(host);
  Bytes answers;
  for (const Bytes& a : each) answers.insert(answers.end(), a.begin(), a.end());
  EXPECT_TRUE(each.back().empty());  // nothing after the final clock
  ASSERT_EQ(answers.size(), 18u);    // x, 16 data, checksum
  EXPECT_EQ(std::string(answers.begin() + 1, answers.begin() + 17), "IXEN-104+ 012345");
  Bytes sum{0x13, 0x3F};
  sum.insert(sum.end(), answers.begin() + 1, answers.begin() + 17);
  EXPECT_EQ(answers[17], Crc8(sum.data(), sum.size()));
  EXPECT_TRUE(d.board.Idle());
}

TEST(Board, IdentificationBlockWithoutBusTimer) {
  Driver d(Opts(2, 2));
  const auto each = d.Each({0x13, 0x3F});
  EXPECT_EQ(each[0], Bytes{0x00});
  ASSERT_EQ(each[1].size(), 16u);
  EXPECT_EQ(std::string(each[1].begin(), each[1].end()), d.board.identification);
}

TEST(Board, IdentificationIsPaddedTo16AndReadOnly) {
  BoardOptions o = Opts(1, 2);
  o.identification = "short";
  Driver d(o);
  EXPECT_EQ(d.board.identification, "short           ");
  Bytes w{0x12, 0x3F};
  for (int i = 0; i < 16; ++i) w.push_back('x');
  const Bytes acks = d.Send(w);
  ASSERT_EQ(acks.size(), 18u);
  EXPECT_EQ(acks.back(), 0xFF);
  EXPECT_EQ(acks[16], 16);
  EXPECT_EQ(d.board.identification, "short           ");
}

// ---------------------------------------------------------------------------
// Protocol change and a host that uses the wrong protocol.

TEST(Board, BusTimerSwitchFollowsCommand00) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(d.board.Protocol(), 0);
  // Written with the protocol still in force.
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0x00, 0)), kWriteAcksP0);
  EXPECT_FALSE(d.board.busTimer);
  EXPECT_EQ(d.board.Protocol(), 2);
  EXPECT_EQ(d.Send({0x13, 0x00}), (Bytes{0x00, 0x00, 0x00}));
  EXPECT_EQ(d.Send({0x12, 0x00, 0x01, 0x00}), (Bytes{0x00, 0x01, 0x02, 0xFF}));
  EXPECT_TRUE(d.board.busTimer);
  EXPECT_EQ(d.board.Protocol(), 0);  // back to the configured protocol
  EXPECT_EQ(ReadWord(d, 0x00), 1);
}

TEST(Board, BusTimerOffAtPowerUpUntilCommand00SwitchesItOn) {
  BoardOptions o = Opts(0, 2);
  o.busTimerAtPowerUp = false;
  Driver d(o);
  EXPECT_EQ(d.board.Protocol(), 2);
  EXPECT_EQ(d.Send({0x13, 0xA0}), (Bytes{0x00, 0x00, 0x00}));  // answers by itself, no checksum
  EXPECT_EQ(d.Send({0x12, 0x00, 0x01, 0x00}), (Bytes{0x00, 0x01, 0x02, 0xFF}));
  EXPECT_EQ(d.board.Protocol(), 0);  // its configured protocol, with the checksum
}

TEST(Board, NoBusTimerBoardSwitchedOnUsesNoChecksum) {
  Driver d(Opts(2, 2));
  d.Send({0x12, 0x00, 0x01, 0x00});
  EXPECT_EQ(d.board.Protocol(), 1);
}

TEST(Board, HostWithoutBusTimerOnBusTimerBoard) {
  // Read: the host sends A and K only; the board answers two bytes and waits for
  // clocks that never come, until the byte time-out.
  Driver d(Opts(0, 2));
  d.board.SetRegister(0xA0, 0x1234);
  EXPECT_EQ(d.Send({0x13, 0xA0}), (Bytes{0x00, 0x34}));
  d.now += milliseconds(250);  // the host waits for its missing bytes
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
  // Write: the ack for the last data byte is 3, not 0xFF, so the host fails;
  // its resynchronisation 0xF0 is taken as the checksum and refused.
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x22, 0x00}), (Bytes{0x00, 0x01, 0x02, 0x03}));
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xFE});
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
  EXPECT_EQ(d.board.Register(0xA0), 0x1234);
}

TEST(Board, BusTimerHostOnNoBusTimerBoard) {
  Driver d(Opts(2, 2));
  d.board.SetRegister(0xA0, 0x1234);
  // Protocol 0 read: the clocks fall on an idle board, the checksum never comes.
  const auto each = d.Each({0x13, 0xA0, 0x02, 0x03, 0xFF});
  EXPECT_EQ(each, (std::vector<Bytes>{{0x00}, {0x34, 0x12}, {}, {}, {}}));
  EXPECT_TRUE(d.board.Idle());
  // Protocol 0 write: the board's last position comes one early.
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x22, 0x00}), (Bytes{0x00, 0x01, 0x02, 0xFF}));
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
}

TEST(Board, ChecksumlessHostOnChecksumBoard) {
  Driver d(Opts(0, 2));
  d.board.SetRegister(0xA0, 0x1234);
  // Protocol 1 read: the final clock 0xFF comes at the checksum's position; the
  // board ends the frame there and leaves nothing stale.
  EXPECT_EQ(d.Each({0x13, 0xA0, 0x02, 0xFF}), (std::vector<Bytes>{{0x00}, {0x34}, {0x12}, {}}));
  EXPECT_TRUE(d.board.Idle());
  // Protocol 1 write: the host expects 0xFF at position 3 and gets 3.
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x22, 0x00}), (Bytes{0x00, 0x01, 0x02, 0x03}));
  EXPECT_FALSE(d.board.Idle());
}

TEST(Board, ChecksumHostOnChecksumlessBoard) {
  Driver d(Opts(1, 2));
  d.board.SetRegister(0xA0, 0x1234);
  // The host's checksum clock (0x03) comes at the board's last position: no answer.
  EXPECT_EQ(d.Each({0x13, 0xA0, 0x02, 0x03, 0xFF}), (std::vector<Bytes>{{0x00}, {0x34}, {0x12}, {}, {}}));
  EXPECT_TRUE(d.board.Idle());
}

// ---------------------------------------------------------------------------
// Commands.

TEST(Board, ProcessorReset) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0x12, 0x0004)), kWriteAcksP0);
  EXPECT_EQ(d.board.resets, 1);
  d.Send(WriteFrame(d.board, 0x12, 0x0003));
  EXPECT_EQ(d.board.resets, 1);
}

TEST(Board, UnknownCommandsKeepARegisterFile) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(ReadWord(d, 0x42), 0);
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0x42, 0xCAFE)), kWriteAcksP0);
  EXPECT_EQ(ReadWord(d, 0x42), 0xCAFE);
  EXPECT_EQ(d.board.Register(0x42), 0xCAFE);
  // Console read/write values.
  for (int command : {0x14, 0x15, 0x16, 0x95, 0x97, 0x98, 0x9A, 0x9B, 0xA2, 0xA3, 0xA5, 0xA6, 0xB2, 0xB3}) {
    const auto cmd = static_cast<uint8_t>(command);
    d.Send(WriteFrame(d.board, cmd, 0x0102));
    EXPECT_EQ(ReadWord(d, cmd), 0x0102) << int(cmd);
  }
}

TEST(Board, LiveValuesChangeOverTime) {
  Driver d(Opts(0, 2));
  const auto t0 = d.now;
  const uint16_t v0 = d.board.Register(0x09, t0), v1 = d.board.Register(0x09, t0 + std::chrono::seconds(60));
  EXPECT_NE(v0, v1);
  for (auto t : {t0, t0 + std::chrono::seconds(100), t0 + std::chrono::seconds(500)}) {
    const uint16_t temp = d.board.Register(0x08, t);
    EXPECT_GT(temp, 2700);  // 0.1 K: between 0 and 60 degrees Celsius
    EXPECT_LT(temp, 3330);
    const uint16_t mv = d.board.Register(0x09, t);
    EXPECT_GT(mv, 10000);
    EXPECT_LT(mv, 18000);
    EXPECT_LE(d.board.Register(0x0F, t), 4400);
    for (int s = 0; s < 16; ++s) {
      const uint16_t ts = d.board.Register(static_cast<uint8_t>(0x80 + s), t);
      EXPECT_GT(ts, 2700);
      EXPECT_LT(ts, 3330);
    }
    EXPECT_GT(d.board.Register(0x91, t), 20000);
    EXPECT_NEAR(d.board.Register(0x9C, t), 5000, 100);
    EXPECT_NEAR(d.board.Register(0x9D, t), 12000, 200);
    EXPECT_NEAR(d.board.Register(0x9E, t), 3300, 100);
  }
  // Charging, then discharging: the current changes sign.
  const int16_t charging = static_cast<int16_t>(d.board.Register(0x0A, t0 + std::chrono::seconds(10)));
  const int16_t discharging = static_cast<int16_t>(d.board.Register(0x0A, t0 + std::chrono::seconds(450)));
  EXPECT_GT(charging, 0);
  EXPECT_LT(discharging, 0);
  // The charging current follows its setpoint.
  d.Send(WriteFrame(d.board, 0x14, 1000));
  EXPECT_EQ(static_cast<int16_t>(d.board.Register(0x0A, t0 + std::chrono::seconds(10))), 1000);
  // A live value read through the link.
  EXPECT_EQ(ReadWord(d, 0x08), d.board.Register(0x08, d.now - milliseconds(4)));
}

TEST(Board, LiveValuesCanBePinned) {
  Driver d(Opts(0, 2));
  d.board.SetRegister(0x09, 12345);
  EXPECT_EQ(ReadWord(d, 0x09), 12345);
  // A host write to a read-only value is accepted and changes nothing.
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0x09, 1)), kWriteAcksP0);
  EXPECT_EQ(ReadWord(d, 0x09), 12345);
  d.board.ClearOverride(0x09);
  EXPECT_NE(d.board.Register(0x09), 12345);
}

uint32_t ReadClock(Driver& d) {
  const uint16_t hi = ReadWord(d, 0xB1);
  const uint16_t lo = ReadWord(d, 0xB0);
  return (static_cast<uint32_t>(hi) << 16) | lo;
}

TEST(Board, RealtimeClockCountsSeconds) {
  Driver d(Opts(0, 2));
  const uint32_t c0 = ReadClock(d);
  d.now += std::chrono::seconds(5);
  const uint32_t c1 = ReadClock(d);
  EXPECT_EQ(c1 - c0, 5u);
  // Set it: high word, then low word.
  d.Send(WriteFrame(d.board, 0xB1, 0x0001));
  d.Send(WriteFrame(d.board, 0xB0, 0x0002));
  EXPECT_EQ(ReadClock(d), 0x00010002u);
  d.now += std::chrono::seconds(3);
  EXPECT_EQ(ReadClock(d), 0x00010005u);
}

// ---------------------------------------------------------------------------
// Bootloader.

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(Bootloader, AnswersStarCountAndLineEnd) {
  BoardOptions o = Opts(0, 2);
  o.bootloader = true;
  Driver d(o);
  ASSERT_TRUE(d.board.InBootloader());
  const std::string rec = ":100000000C9434000C9446000C9446000C9446006A";
  const auto each = d.Each(Text(rec + "\n"));
  ASSERT_EQ(each.size(), rec.size() + 1);
  EXPECT_EQ(each[0], Bytes{0x2A});
  for (size_t i = 1; i < rec.size(); ++i) EXPECT_EQ(each[i], Bytes{static_cast<uint8_t>(0x2A + i)}) << i;
  EXPECT_EQ(each.back(), Bytes{0x00});
  ASSERT_EQ(d.board.firmwareRecords.size(), 1u);
  EXPECT_EQ(d.board.firmwareRecords[0], rec);
  // The next record starts again at '*'.
  EXPECT_EQ(d.Send(Text(":1")), (Bytes{0x2A, 0x2B}));
}

TEST(Bootloader, BadRecordChecksumAnswersF0) {
  BoardOptions o = Opts(0, 2);
  o.bootloader = true;
  Driver d(o);
  const auto each = d.Each(Text(":100000000C9434000C9446000C9446000C9446006B\n"));
  EXPECT_EQ(each.back(), Bytes{0xF0});
  EXPECT_TRUE(d.board.InBootloader());
  EXPECT_TRUE(d.board.firmwareRecords.empty());
}

TEST(Bootloader, EndOfFileRecordAnswersFEAndLeaves) {
  BoardOptions o = Opts(0, 2);
  o.bootloader = true;
  Driver d(o);
  d.Send(Text(":020000040000FA\n"));
  const auto each = d.Each(Text(":00000001FF\n"));
  EXPECT_EQ(each[0], Bytes{0x2A});
  EXPECT_EQ(each[10], Bytes{0x34});
  EXPECT_EQ(each.back(), Bytes{0xFE});
  EXPECT_TRUE(d.board.firmwareComplete);
  EXPECT_FALSE(d.board.InBootloader());
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});  // running the new firmware
}

TEST(Bootloader, EndOfFileWithoutLineEndIsEndedByTheFinalFF) {
  Board b(Opts(0, 2));
  b.EnterBootloader();
  for (char c : std::string(":00000001FF")) b.OnHostByte(static_cast<uint8_t>(c));
  EXPECT_EQ(b.OnHostByte(0xFF), Bytes{0xFE});
}

TEST(Bootloader, Pc104FailureAndEndBytes) {
  BoardOptions o = Opts(1, 2);
  o.pc104 = true;
  o.bootloader = true;
  Driver d(o);
  EXPECT_EQ(d.Each(Text(":00000001FE\n")).back(), Bytes{0xFF});
  EXPECT_EQ(d.Each(Text(":00000001FF\n")).back(), Bytes{0xFC});
}

TEST(Bootloader, EnteredByLibraryCall) {
  Driver d(Opts(0, 2));
  EXPECT_EQ(d.Send({':'}), Bytes{});  // not an address: ignored
  d.board.EnterBootloader();
  EXPECT_EQ(d.Send({':'}), Bytes{0x2A});
  d.board.LeaveBootloader();
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
}

// ---------------------------------------------------------------------------
// Faults.

TEST(Faults, Silent) {
  BoardOptions o = Opts(0, 2);
  o.faults.silent = true;
  Driver d(o);
  EXPECT_EQ(d.Send({0xF0, 0x12, 0xA0, 0x34, 0x12, 0xD0}), Bytes{});
  EXPECT_EQ(d.board.Register(0xA0), 0x1234);  // it still listens
  EXPECT_EQ(d.board.received.size(), 6u);
}

TEST(Faults, DropAtPosition) {
  BoardOptions o = Opts(0, 2);
  o.faults.dropAt = 3;  // handshake answer is position 0
  Driver d(o);
  EXPECT_EQ(d.Send({0xF0}), Bytes{0xF0});
  EXPECT_EQ(d.Each({0x12, 0xA0, 0x34, 0x12, 0xD0}), (std::vector<Bytes>{{0x00}, {0x01}, {}, {0x03}, {0xFF}}));
  EXPECT_EQ(d.board.answerCount, 6);
}

TEST(Faults, CorruptAtPosition) {
  BoardOptions o = Opts(0, 2);
  o.faults.corruptAt = 1;
  Driver d(o);
  EXPECT_EQ(d.Send({0x12, 0xA0, 0x34, 0x12, 0xD0}), (Bytes{0x00, 0x01 ^ 0x5A, 0x02, 0x03, 0xFF}));
}

TEST(Faults, RandomRatesAreSeededAndRoughlyRight) {
  auto run = [](double drop, double corrupt, unsigned seed) {
    BoardOptions o = Opts(0, 2);
    o.faults.dropRate = drop;
    o.faults.corruptRate = corrupt;
    o.faults.seed = seed;
    Board b(o);
    Bytes all;
    for (int i = 0; i < 2000; ++i) {
      const Bytes a = b.OnHostByte(0xF0);
      all.insert(all.end(), a.begin(), a.end());
    }
    return all;
  };
  const Bytes dropped = run(0.25, 0, 7);
  EXPECT_NEAR(static_cast<double>(dropped.size()), 1500, 100);
  EXPECT_EQ(dropped, run(0.25, 0, 7));  // same seed, same faults
  EXPECT_NE(dropped.size(), run(0.25, 0, 8).size());
  const Bytes corrupted = run(0, 0.1, 3);
  ASSERT_EQ(corrupted.size(), 2000u);
  const auto bad = std::count(corrupted.begin(), corrupted.end(), uint8_t{0xF0 ^ 0x5A});
  EXPECT_NEAR(static_cast<double>(bad), 200, 60);
}

TEST(Faults, FailCommandAnswersFE) {
  BoardOptions o = Opts(0, 2);
  o.faults.failCommand = 0xA1;
  Driver d(o);
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0xA0, 0x110)), kWriteAcksP0);  // other commands work
  EXPECT_EQ(d.Send(WriteFrame(d.board, 0xA1, 0x1234)), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFE}));
  EXPECT_EQ(d.board.eeprom[0x10], 0x00);  // not written
  EXPECT_EQ(d.Send(ReadFrame(d.board, 0xA1)), (Bytes{0x00, 0xFE, 0xFE, 0xFE}));
  EXPECT_TRUE(d.board.Idle());
}

TEST(Board, ProfileLoadedAtStart) {
  std::array<uint8_t, 256> image{};
  for (size_t i = 0; i < 256; ++i) image[i] = static_cast<uint8_t>(255 - i);
  const std::string path = ::testing::TempDir() + "board_start.psd";
  SaveProfile(path, image);
  BoardOptions o = Opts(0, 2);
  o.profilePath = path;
  Driver d(o);
  EXPECT_EQ(d.board.eeprom, image);
  d.Send(WriteFrame(d.board, 0xA0, 0x100));
  EXPECT_EQ(ReadWord(d, 0xA1), 0xFEFF);
  std::remove(path.c_str());
}

TEST(Board, RejectsBadProtocolAndMissingProfile) {
  EXPECT_THROW(Board(Opts(3, 2)), std::invalid_argument);
  BoardOptions o;
  o.profilePath = "/nonexistent/x.psd";
  EXPECT_THROW(Board{o}, std::runtime_error);
}

}  // namespace
}  // namespace ixsim
