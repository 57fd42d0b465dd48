#include "profile_reader.h"

#include <cstdio>
#include <istream>
#include <sstream>

#include "hex_digits.h"
#include "regular_file.h"

namespace vantrel {
namespace {

constexpr std::size_t kFirstLineLength = 15;
constexpr std::size_t kShortestRecord = 11;
// A line holds at most 511 characters. A whole profile is under a kilobyte;
// further records are allowed, within reason.
constexpr std::size_t kLongestLine = 511;
constexpr std::size_t kLargestProfile = 64 * 1024;

// Record errors; only the checksum mismatch carries a text of its own.
enum RecordError {
    kNoColon = 1,
    kBadCount = 2,
    kBadAddress = 3,
    kBadType = 4,
    kBadData = 5,
    kDataMissing = 6,
    kBadChecksumDigits = 7,
    kChecksumMismatch = 8,
};

struct RecordFailure {
    RecordError error;
    std::string text;
};

bool NextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// Sum of the two-digit groups before the last two characters; a group that is
// not hexadecimal adds nothing (the field it belongs to fails on its own).
unsigned GroupSum(std::string_view record) {
    unsigned sum = 0;
    if (record.size() < 2) return 0;
    const std::string_view body = record.substr(0, record.size() - 2);
    for (std::size_t i = 0; i + 2 <= body.size(); i += 2) sum += ParseHex(body.substr(i, 2)).value_or(0);
    return sum;
}

std::string UpperHex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

std::optional<RecordFailure> ParseRecord(std::string_view line, EepromImage& image) {
    if (line.empty() || line.front() != ':') return RecordFailure{kNoColon, {}};
    std::string_view record = line.substr(1);
    const unsigned expected = (0x100 - (GroupSum(record) & 0xFF)) & 0xFF;

    std::size_t pos = 0;
    auto take = [&](std::size_t digits) -> std::optional<unsigned> {
        if (record.size() - pos < digits) return std::nullopt;
        const auto value = ParseHex(record.substr(pos, digits));
        pos += digits;
        return value;
    };
    const auto count = take(2);
    if (!count) return RecordFailure{kBadCount, {}};
    const auto address = take(4);
    if (!address) return RecordFailure{kBadAddress, {}};
    if (!take(2)) return RecordFailure{kBadType, {}};
    const unsigned offset = *address & 0xFF;
    for (unsigned i = 0; i < *count; ++i) {
        if (record.size() - pos <= 2) return RecordFailure{kDataMissing, {}};
        const auto byte = take(2);
        if (!byte) return RecordFailure{kBadData, {}};
        if (offset + i <= 0xFF) image[offset + i] = static_cast<uint8_t>(*byte);
    }
    const auto checksum = take(2);
    if (!checksum) return RecordFailure{kBadChecksumDigits, {}};
    if (*checksum != expected) {
        return RecordFailure{kChecksumMismatch, "Expected 0x" + UpperHex(expected) + " got 0x" + UpperHex(*checksum)};
    }
    return std::nullopt;
}

std::optional<std::string> ReadProfileStream(std::istream& in, const std::string& path, EepromImage& image) {
    std::string line;
    if (!NextLine(in, line)) return "File Read Error: " + path + " is empty";
    const auto tooLong = [&path](std::size_t number) {
        return "File Read Error: Line " + std::to_string(number) + " of " + path + " is longer than " +
               std::to_string(kLongestLine) + " characters";
    };
    if (line.size() > kLongestLine) return tooLong(1);
    if (line.size() != kFirstLineLength) {
        return "File Read Error: Line 1 of " + path + " must be 15 characters long (found " +
               std::to_string(line.size()) + ")";
    }
    for (std::size_t number = 2; NextLine(in, line); ++number) {
        if (line.size() > kLongestLine) return tooLong(number);
        if (line.size() < kShortestRecord) continue;
        if (const auto failure = ParseRecord(line, image)) {
            return failure->text + " on line " + std::to_string(number) + " of " + path + ".";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadProfileText(std::string_view text, const std::string& path, EepromImage& image) {
    std::istringstream in{std::string(text)};
    return ReadProfileStream(in, path, image);
}

std::optional<std::string> ReadProfileFile(const std::string& path, EepromImage& image) {
    const FileRead read = ReadRegularFile(path, kLargestProfile);
    if (read.problem != ReadProblem::None) return "File Read Error: " + ReadProblemText(read, path, kLargestProfile);
    return ReadProfileText(read.content, path, image);
}

}  // namespace vantrel
