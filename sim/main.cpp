// ixen-sim: the IXEN charger board on a pseudo-terminal.
//
// Prints the terminal's path (one line, flushed) once the board is ready, then
// serves until SIGINT or SIGTERM; SIGUSR1 puts the board into its bootloader
// (the SDA jumper at power-up), SIGUSR2 writes the EEPROM dump now. On exit the
// EEPROM is written to the --dump file when one was given.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/pty_board.h"

namespace {

const char kUsage[] =
    "usage: ixen-sim [options]\n"
    "  --protocol P        0 bus timer and checksum (default), 1 bus timer, 2 no bus timer\n"
    "  --firmware F        0 Standard, 1 UPS, 2 UPS18 (default; CRC-8 checksum)\n"
    "  --alt-addresses     answer at 0x14/0x15 instead of 0x12/0x13\n"
    "  --bootloader        start in the bootloader (firmware update)\n"
    "  --profile FILE      load the EEPROM from a .psd profile\n"
    "  --dump FILE         write the EEPROM as a .psd profile on exit (and on SIGUSR2)\n"
    "  --path-file FILE    also write the terminal's path to FILE\n"
    "  --id TEXT           the 16-character identification of command 0x3F\n"
    "  --byte-timeout MS   silence that returns a frame to idle (default 100)\n"
    "  --pace              pace every byte as a 9600-baud line would\n"
    "faults:\n"
    "  --silent            answer nothing\n"
    "  --drop-at N         drop answer byte N (0-based, counted from start)\n"
    "  --corrupt-at N      corrupt answer byte N\n"
    "  --drop-rate R       drop answer bytes at random with probability R\n"
    "  --corrupt-rate R    corrupt answer bytes at random with probability R\n"
    "  --seed S            seed of the random faults (default 1)\n"
    "  --fail-command CMD  answer 0xFE (function failure) to command CMD (0x.. or decimal)\n"
    "  --delay MS          delay every answer byte by MS milliseconds\n"
    "signals: SIGINT/SIGTERM stop, SIGUSR1 enters the bootloader, SIGUSR2 dumps the EEPROM\n";

[[noreturn]] void Usage(const std::string& why) {
  if (!why.empty()) std::cerr << "ixen-sim: " << why << "\n";
  std::cerr << kUsage;
  std::exit(64);
}

long ParseLong(const std::string& opt, const char* text, long lo, long hi) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi)
    Usage("bad value for " + opt + ": " + text);
  return v;
}

double ParseRate(const std::string& opt, const char* text) {
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text, &end);
  if (errno != 0 || end == text || *end != '\0' || !(v >= 0 && v <= 1))
    Usage("bad value for " + opt + " (0..1): " + text);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  ixsim::BoardOptions o;
  std::string pathFile;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) Usage("missing value for " + a);
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (a == "--protocol") {
      o.protocol = static_cast<int>(ParseLong(a, value(), 0, 2));
    } else if (a == "--firmware") {
      o.firmwareType = static_cast<int>(ParseLong(a, value(), 0, 2));
    } else if (a == "--alt-addresses") {
      o.altAddresses = true;
    } else if (a == "--bootloader") {
      o.bootloader = true;
    } else if (a == "--profile") {
      o.profilePath = value();
    } else if (a == "--dump") {
      o.dumpPath = value();
    } else if (a == "--path-file") {
      pathFile = value();
    } else if (a == "--id") {
      o.identification = value();
    } else if (a == "--byte-timeout") {
      o.byteTimeoutMs = static_cast<int>(ParseLong(a, value(), 1, 600000));
    } else if (a == "--pace") {
      o.pace9600 = true;
    } else if (a == "--silent") {
      o.faults.silent = true;
    } else if (a == "--drop-at") {
      o.faults.dropAt = static_cast<int>(ParseLong(a, value(), 0, 1L << 30));
    } else if (a == "--corrupt-at") {
      o.faults.corruptAt = static_cast<int>(ParseLong(a, value(), 0, 1L << 30));
    } else if (a == "--drop-rate") {
      o.faults.dropRate = ParseRate(a, value());
    } else if (a == "--corrupt-rate") {
      o.faults.corruptRate = ParseRate(a, value());
    } else if (a == "--seed") {
      o.faults.seed = static_cast<unsigned>(ParseLong(a, value(), 0, 0xFFFFFFFFL));
    } else if (a == "--fail-command") {
      o.faults.failCommand = static_cast<int>(ParseLong(a, value(), 0, 255));
    } else if (a == "--delay") {
      o.faults.delayMs = static_cast<int>(ParseLong(a, value(), 0, 600000));
    } else {
      Usage("unknown option " + a);
    }
  }

  // Block the signals before the serving thread starts, so only sigwait sees them.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGUSR1);
  sigaddset(&set, SIGUSR2);
  sigaddset(&set, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);

  try {
    ixsim::PtyBoard board(o);
    if (!pathFile.empty()) {
      const std::string tmp = pathFile + ".tmp";
      {
        std::ofstream f(tmp, std::ios::trunc);
        f << board.Path() << "\n";
        if (!f) throw std::runtime_error("cannot write " + pathFile);
      }
      // Rename so a watcher never reads a half-written file.
      if (std::rename(tmp.c_str(), pathFile.c_str()) != 0)
        throw std::runtime_error("cannot write " + pathFile + ": " + std::strerror(errno));
    }
    std::cout << board.Path() << std::endl;
    for (;;) {
      int sig = 0;
      if (sigwait(&set, &sig) != 0) continue;
      if (sig == SIGUSR1) {
        board.WithBoard([](ixsim::Board& b) { b.EnterBootloader(); });
        std::cerr << "ixen-sim: bootloader mode\n";
      } else if (sig == SIGUSR2) {
        board.DumpNow();
      } else {
        break;
      }
    }
    board.Stop();
    board.DumpNow();  // here, so that a failing dump is reported
  } catch (const std::exception& e) {
    std::cerr << "ixen-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
