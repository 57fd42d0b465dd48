// The in-process PC/104 board, driven as the link's PC/104 path drives it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sim/pc104_board.h"
#include "tests/support/wait_until.h"

namespace ixsim {
namespace {

using Bytes = std::vector<uint8_t>;

// Output a byte, input a byte (the link's PC/104 path, without its sleeps).
Bytes Exchange(Pc104Board& p, const Bytes& host, bool read) {
  Bytes a;
  for (size_t i = 0; i < host.size(); ++i) {
    p.Out(host[i]);
    if (read && i + 1 == host.size()) break;
    a.push_back(p.In());
  }
  return a;
}

TEST(Pc104Board, IdleBusReadsFF) {
  Pc104Board p(BoardOptions{});
  EXPECT_EQ(p.In(), 0xFF);
  EXPECT_FALSE(p.Pending());
}

TEST(Pc104Board, SynchroniseAndGoldenFrames) {
  BoardOptions o;
  o.protocol = 1;
  Pc104Board p(o);
  EXPECT_EQ(Exchange(p, {0xF0}, false), Bytes{0xF0});
  EXPECT_EQ(Exchange(p, {0x12, 0xA0, 0x34, 0x12}, false), (Bytes{0x00, 0x01, 0x02, 0xFF}));
  EXPECT_EQ(Exchange(p, {0x13, 0xA0, 0x02, 0xFF}, true), (Bytes{0x00, 0x34, 0x12}));
  EXPECT_EQ(p.In(), 0xFF);

  Pc104Board q(BoardOptions{});
  EXPECT_EQ(Exchange(q, {0x12, 0xA0, 0x34, 0x12, 0xD0}, false), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF}));
  EXPECT_EQ(Exchange(q, {0x13, 0xA0, 0x02, 0x03, 0xFF}, true), (Bytes{0x00, 0x34, 0x12, 0xC6}));
}

TEST(Pc104Board, UnreadAnswersDoNotPileUp) {
  BoardOptions o;
  o.protocol = 2;  // two answers for K; the host reads only one per byte
  Pc104Board p(o);
  p.board().SetRegister(0xA0, 0x1234);
  p.Out(0x13);
  EXPECT_EQ(p.In(), 0x00);
  p.Out(0xA0);
  EXPECT_EQ(p.In(), 0x34);
  p.Out(0xF0);  // replaces the unread 0x12
  EXPECT_EQ(p.In(), 0xF0);
  EXPECT_EQ(p.In(), 0xFF);
}

TEST(Pc104Board, BootloaderUsesPc104Bytes) {
  BoardOptions o;
  o.bootloader = true;
  Pc104Board p(o);
  Bytes answers;
  for (char c : std::string(":00000001FE\n:00000001FF\n")) {
    p.Out(static_cast<uint8_t>(c));
    answers.push_back(p.In());
  }
  EXPECT_EQ(answers[0], 0x2A);
  EXPECT_EQ(answers[1], 0x2B);
  EXPECT_EQ(answers[11], 0xFF);  // bad record
  EXPECT_EQ(answers.back(), 0xFC);  // end of programming
}

TEST(Pc104Board, DelayedAnswerIsNotReadyBeforeTheDelay) {
  BoardOptions o;
  o.faults.delayMs = 30;
  Pc104Board p(o);
  const auto sent = std::chrono::steady_clock::now();
  p.Out(0xF0);
  uint8_t answer = 0xFF;  // the idle bus until the answer is ready
  EXPECT_TRUE(ixen_testing::WaitUntil([&] { return (answer = p.In()) != 0xFF; }));
  EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(30));
  EXPECT_EQ(answer, 0xF0);
}

TEST(Pc104Board, DrivenFromAWorkerThread) {
  BoardOptions o;
  o.bootloader = true;
  Pc104Board p(o);
  std::atomic<int> good{0};
  std::thread worker([&] {
    const std::string file = ":020000040000FA\n:00000001FF\n";
    for (char c : file) {
      p.Out(static_cast<uint8_t>(c));
      const uint8_t a = p.In();
      if (a != 0xFF) ++good;
    }
  });
  for (int i = 0; i < 100; ++i) {
    std::lock_guard<std::mutex> lock(p.mutex());
    (void)p.board().InBootloader();
  }
  worker.join();
  std::lock_guard<std::mutex> lock(p.mutex());
  EXPECT_TRUE(p.board().firmwareComplete);
  EXPECT_EQ(good.load(), 28);
}

}  // namespace
}  // namespace ixsim
