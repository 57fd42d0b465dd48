// The .psd profile layout, read and written by the simulator itself.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sim/board.h"

namespace ixsim {

namespace {

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int HexByte(const std::string& s, size_t at) {
  if (at + 2 > s.size()) return -1;
  const int hi = Hex(s[at]), lo = Hex(s[at + 1]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

}  // namespace

std::string ProfileText(const std::array<uint8_t, 256>& eeprom) {
  std::string out = ":0200000400F00A\r\n";
  char buf[16];
  for (size_t n = 0; n < 16; ++n) {
    unsigned sum = 0x10 + 0x42 + static_cast<unsigned>(16 * n);
    std::snprintf(buf, sizeof buf, ":10%04zx00", 0x4200 + 16 * n);
    out += buf;
    for (size_t i = 0; i < 16; ++i) {
      const uint8_t b = eeprom[16 * n + i];
      sum += b;
      std::snprintf(buf, sizeof buf, "%02x", b);
      out += buf;
    }
    std::snprintf(buf, sizeof buf, "%02x\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
    out += buf;
  }
  out += ":00000001FF\r\n";
  return out;
}

std::array<uint8_t, 256> ParseProfile(const std::string& text) {
  std::array<uint8_t, 256> image{};
  image.fill(0xFF);
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (lineNo == 1) {
      if (line.size() != 15) throw std::runtime_error("profile: first line is not 15 characters long");
      continue;
    }
    if (line.size() < 11) continue;
    auto fail = [&](const char* what) {
      throw std::runtime_error(std::string("profile: ") + what + " on line " + std::to_string(lineNo));
    };
    if (line[0] != ':') fail("record does not start with ':'");
    const int count = HexByte(line, 1), ah = HexByte(line, 3), al = HexByte(line, 5), type = HexByte(line, 7);
    if (count < 0 || ah < 0 || al < 0 || type < 0) fail("bad record header");
    if (line.size() < 11 + 2 * static_cast<size_t>(count)) fail("record too short");
    int sum = count + ah + al + type;
    for (int i = 0; i < count; ++i) {
      const int b = HexByte(line, static_cast<size_t>(9 + 2 * i));
      if (b < 0) fail("bad data byte");
      sum += b;
      if (type == 0 && al + i <= 0xFF) image[static_cast<size_t>(al + i)] = static_cast<uint8_t>(b);
    }
    const int check = HexByte(line, static_cast<size_t>(9 + 2 * count));
    if (check < 0) fail("bad checksum digits");
    if (((sum + check) & 0xFF) != 0) fail("wrong record checksum");
  }
  if (lineNo == 0) throw std::runtime_error("profile: empty file");
  return image;
}

std::array<uint8_t, 256> LoadProfile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot open profile " + path);
  std::ostringstream ss;
  ss << f.rdbuf();
  try {
    return ParseProfile(ss.str());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(std::string(e.what()) + " of " + path);
  }
}

void SaveProfile(const std::string& path, const std::array<uint8_t, 256>& eeprom) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write profile " + path);
  f << ProfileText(eeprom);
  f.flush();
  if (!f) throw std::runtime_error("cannot write profile " + path);
}

}  // namespace ixsim
