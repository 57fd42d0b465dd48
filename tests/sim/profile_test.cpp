// The simulator's own .psd reader and writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/board.h"
#include "sim/pty_board.h"

namespace ixsim {
namespace {

std::array<uint8_t, 256> DefaultImage() {
  std::array<uint8_t, 256> e{};
  e[0x89] = 0x01;
  for (size_t i = 0x96; i <= 0x9D; ++i) e[i] = 0xFF;
  return e;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(Profile, WritesTheProfileLayout) {
  const std::string text = ProfileText(DefaultImage());
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(text.size(), 15 + 2 + 16 * (43 + 2) + 11 + 2u);
  EXPECT_EQ(lines[0], ":0200000400F00A");
  EXPECT_EQ(lines[1], ":1042000000000000000000000000000000000000ae");
  EXPECT_EQ(lines[9].substr(0, 9), ":10428000");
  EXPECT_EQ(lines[9].substr(9 + 2 * 9, 2), "01");  // offset 0x89
  EXPECT_EQ(lines[10].substr(9 + 2 * 6, 16), "ffffffffffffffff");  // 0x96..0x9D
  EXPECT_EQ(lines[17], ":00000001FF");
  for (size_t n = 0; n < 16; ++n) {
    char addr[8];
    std::snprintf(addr, sizeof addr, "42%zx0", n);
    EXPECT_EQ(lines[1 + n].substr(3, 4), addr);
  }
}

TEST(Profile, RoundTrip) {
  std::array<uint8_t, 256> image{};
  for (size_t i = 0; i < 256; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
  EXPECT_EQ(ParseProfile(ProfileText(image)), image);
  const std::string path = ::testing::TempDir() + "sim_round.psd";
  SaveProfile(path, image);
  EXPECT_EQ(LoadProfile(path), image);
  std::remove(path.c_str());
}

TEST(Profile, ReaderRules) {
  // Only line 1 and the end record: every byte stays erased.
  std::array<uint8_t, 256> erased{};
  erased.fill(0xFF);
  EXPECT_EQ(ParseProfile(":0200000400F00A\n:00000001FF\n"), erased);
  // Upper-case digits, LF line ends, a partial record; the low address byte is the offset.
  const auto img = ParseProfile(":0200000400F00A\n:0242100012ABEF\n:00000001FF\n");
  EXPECT_EQ(img[0x10], 0x12);
  EXPECT_EQ(img[0x11], 0xAB);
  EXPECT_EQ(img[0x12], 0xFF);
  // Failures.
  EXPECT_THROW(ParseProfile(":020000040\n"), std::runtime_error);                       // line 1 length
  EXPECT_THROW(ParseProfile(":0200000400F00A\n:0242100012ABEE\n"), std::runtime_error);  // checksum
  EXPECT_THROW(ParseProfile(":0200000400F00A\nx0242100012ABEF\n"), std::runtime_error);  // no ':'
  EXPECT_THROW(ParseProfile(":0200000400F00A\n:0442100012ABEF\n"), std::runtime_error);  // short
  EXPECT_THROW(LoadProfile("/nonexistent/none.psd"), std::runtime_error);
}

TEST(Profile, PtyBoardLoadsAndDumpsOnExit) {
  const std::string in = ::testing::TempDir() + "sim_in.psd";
  const std::string out = ::testing::TempDir() + "sim_out.psd";
  std::remove(out.c_str());
  std::array<uint8_t, 256> image = DefaultImage();
  image[0x06] = 0xA0;
  image[0x07] = 0x41;
  SaveProfile(in, image);
  {
    BoardOptions o;
    o.profilePath = in;
    o.dumpPath = out;
    PtyBoard board(o);
    board.WithBoard([&](Board& b) {
      EXPECT_EQ(b.eeprom, image);
      b.SetRegister(0xA0, 0x1F0);
      b.SetRegister(0xA1, 0xBEEF);
    });
  }
  image[0xF0] = 0xEF;
  image[0xF1] = 0xBE;
  EXPECT_EQ(LoadProfile(out), image);
  std::ifstream f(out, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  EXPECT_EQ(ss.str(), ProfileText(image));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

}  // namespace
}  // namespace ixsim
