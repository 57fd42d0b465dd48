// vantrel-cli eeprom write --retries --verify over a noisy serial line.
//
// Each run starts a simulated board on a pseudo-terminal that loses and
// corrupts its answer bytes at random (seeded), writes a profile with a
// distinct value in every field, and compares the board's EEPROM afterwards
// with what it must hold. Every run must end verified (exit 0 with the right
// EEPROM); none may end with a wrong EEPROM and exit 0. Each lost byte costs the
// link's read time-out, so a run takes seconds; the suite runs a short version
// (CliEepromFaults.RetriesCarryVerifiedWrites*).
//
//   eeprom_fault_matrix [--runs N] [--first-seed S] [--drop R] [--corrupt R] [--retries K]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "sim/pty_board.h"
#include "vantrel/cli/cli_run.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_verification.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/profile_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
using vantrel::EepromImage;

constexpr vantrel::FirmwareType kUps18 = vantrel::FirmwareType::UPS18;

struct Settings {
    int runs = 100;
    unsigned firstSeed = 1;
    double drop = 0.01;
    double corrupt = 0.01;
    int retries = 5;
};

bool Parse(int argc, char** argv, Settings& settings) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const char* value = argv[i + 1];
        if (option == "--runs") {
            settings.runs = std::atoi(value);
        } else if (option == "--first-seed") {
            settings.firstSeed = static_cast<unsigned>(std::atoi(value));
        } else if (option == "--drop") {
            settings.drop = std::atof(value);
        } else if (option == "--corrupt") {
            settings.corrupt = std::atof(value);
        } else if (option == "--retries") {
            settings.retries = std::atoi(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && settings.runs > 0;
}

EepromImage Pattern(unsigned salt) {
    EepromImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>((i * 13 + 7) ^ salt);
    return image;
}

int RetriesUsed(const std::string& err) {
    const std::size_t at = err.find(" retries used");
    const std::size_t one = err.find(" retry used");
    const std::size_t end = at != std::string::npos ? at : one;
    if (end == std::string::npos) return 0;
    const std::size_t start = err.rfind(' ', end - 1);
    return std::atoi(err.c_str() + (start == std::string::npos ? 0 : start + 1));
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!Parse(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: eeprom_fault_matrix [--runs N] [--first-seed S] [--drop R] [--corrupt R] [--retries K]\n");
        return 64;
    }

    // The file: every byte its own value; the board holds another pattern before each run.
    vantrel::ConfigFields fields;
    fields.ResetFields();
    vantrel::FromImage(Pattern(0x5C), fields);
    EepromImage written;
    vantrel::ToImage(fields, written);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("eeprom_fault_matrix." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string profile = (folder / "distinct.psd").string();
    std::ofstream(profile, std::ios::binary) << vantrel::ProfileText(written);
    const EepromImage before = Pattern(0xA3);
    const EepromImage expected = vantrel::ExpectedAfterWrite(before, written, kUps18);

    int verified = 0;
    int wrongAsSuccess = 0;
    int totalRetries = 0;
    const auto start = Clock::now();
    for (int run = 0; run < settings.runs; ++run) {
        const unsigned seed = settings.firstSeed + static_cast<unsigned>(run);
        ixsim::BoardOptions options;
        options.faults.dropRate = settings.drop;
        options.faults.corruptRate = settings.corrupt;
        options.faults.seed = seed;
        ixsim::PtyBoard board(options);
        board.WithBoard([&before](ixsim::Board& b) { b.eeprom = before; });

        const auto runStart = Clock::now();
        std::ostringstream out;
        std::ostringstream err;
        const int status = vantrel::cli::RunCli({"--com", "1=" + board.Path(), "eeprom", "write", profile, "--retries",
                                                 std::to_string(settings.retries), "--verify"},
                                                out, err);
        EepromImage after{};
        board.WithBoard([&after](ixsim::Board& b) { after = b.eeprom; });
        board.Stop();
        const bool right = after == expected;
        if (status == 0 && right) ++verified;
        if (status == 0 && !right) ++wrongAsSuccess;
        const int retries = RetriesUsed(err.str());
        totalRetries += retries;
        const double seconds = std::chrono::duration<double>(Clock::now() - runStart).count();
        std::printf("seed %u: exit %d, EEPROM %s, %d retries, %.1f s\n", seed, status, right ? "right" : "WRONG",
                    retries, seconds);
        if (status != 0) std::printf("%s", err.str().c_str());
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);

    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%d runs, %.2f %% loss, %.2f %% corruption, --retries %d: %d retries in all, %.0f s\n", settings.runs,
                100 * settings.drop, 100 * settings.corrupt, settings.retries, totalRetries, seconds);
    std::printf("verified runs: %d of %d, ratio %.2f against the required 1.00\n", verified, settings.runs,
                static_cast<double>(verified) / settings.runs);
    std::printf("wrong EEPROM reported as success: %d, against the limit 0\n", wrongAsSuccess);
    return verified == settings.runs && wrongAsSuccess == 0 ? 0 : 1;
}
