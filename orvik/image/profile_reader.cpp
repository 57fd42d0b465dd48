#include "orvik/image/profile_reader.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <utility>

#include "orvik/definition/location_address.h"
#include "orvik/definition/regular_file.h"

namespace orvik {
namespace {

constexpr std::size_t kIgnoredLineLength = 15;
constexpr std::size_t kDataStart = 9;  // ":", count, address, type
constexpr uint32_t kAddressSpace = 512;

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The byte written as two digits at pos, or -1.
int HexByte(const std::string& line, std::size_t pos) {
    const int high = HexDigitValue(line[pos]);
    const int low = HexDigitValue(line[pos + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

std::string HexWithoutLeadingZeros(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

struct LineFailure {
    int code;
    std::string detail;
};

std::optional<LineFailure> ReadRecordLine(const std::string& line, const std::map<std::string, std::string>& index,
                                          TMemMap& memory) {
    if (line.size() <= kIgnoredLineLength) return std::nullopt;
    if (line.size() > kLongestProfileLine) {
        return LineFailure{kReadLineTooLong, "Line longer than " + std::to_string(kLongestProfileLine) + " characters"};
    }
    if (line[0] != ':') return LineFailure{kReadNoRecord, {}};
    const int count = HexByte(line, 1);
    if (count < 0) return LineFailure{kReadBadCount, {}};
    const int addressHigh = HexByte(line, 3);
    const int addressLow = HexByte(line, 5);
    if (addressHigh < 0 || addressLow < 0) return LineFailure{kReadBadAddress, {}};
    const int type = HexByte(line, 7);
    if (type < 0) return LineFailure{kReadBadType, {}};

    const auto address = static_cast<uint32_t>(addressHigh * 256 + addressLow);
    int sum = count + addressHigh + addressLow + type;
    for (int p = 0; p < count;) {
        const std::size_t pos = kDataStart + 2 * static_cast<std::size_t>(p);
        if (pos + 3 > line.size()) return LineFailure{kReadDataShort, {}};
        const std::string key = FormatLocationAddress((address + static_cast<uint32_t>(p)) % kAddressSpace);
        const auto indexed = index.find(key);
        const auto found = indexed == index.end() ? memory.end() : memory.find(indexed->second);
        if (found == memory.end()) {
            return LineFailure{kReadUnknownAddress, "Address " + key + " not found in profile config."};
        }
        const std::string& id = found->first;
        TMem& location = found->second;
        if (p + location.length > count) {
            return LineFailure{kReadPastRecord, "Location " + id + " at " + key + " runs past the end of its record"};
        }
        if (pos + 2 * static_cast<std::size_t>(location.length) + 2 > line.size()) {
            return LineFailure{kReadDataShort, {}};
        }
        uint32_t value = 0;
        for (int32_t k = 0; k < location.length; ++k) {
            const int byte = HexByte(line, pos + 2 * static_cast<std::size_t>(k));
            if (byte < 0) return LineFailure{kReadBadData, "Data of location " + id + " is not hexadecimal"};
            value |= static_cast<uint32_t>(byte) << (8 * k);
            sum += byte;
        }
        location.value = std::to_string(value);
        p += location.length;
    }

    const int checksum = HexByte(line, line.size() - 2);
    if (checksum < 0) return LineFailure{kReadBadChecksum, {}};
    const int computed = (0x100 - (sum & 0xFF)) & 0xFF;
    if (computed != checksum) {
        return LineFailure{kReadChecksumMismatch, "Expected 0x" + HexWithoutLeadingZeros(computed) + " got 0x" +
                                                      HexWithoutLeadingZeros(checksum)};
    }
    return std::nullopt;
}

}  // namespace

ProfileReadResult ProfileReader::Read(const std::string& path, TMemMap& memory) {
    if (std::string problem = RegularFileProblem(path, kLargestProfileBytes); !problem.empty()) {
        return {kReadNoRecord, std::move(problem)};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return {kReadNoRecord, "Cannot open " + path};
    return Read(file, path, memory);
}

ProfileReadResult ProfileReader::Read(std::istream& input, const std::string& fileName, TMemMap& memory) {
    if (!indexed_) {
        // Keys are written the way the reader forms them, so 0x1f and 0x01F find 0x1F.
        for (const auto& [id, location] : memory) {
            const std::optional<uint32_t> offset = ParseLocationAddress(location.address);
            if (!offset || location.length < 1 || location.length > kLongestLocation) continue;
            index_.emplace(FormatLocationAddress(*offset), id);
        }
        indexed_ = true;
    }

    std::string line;
    for (std::size_t number = 0; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto failure = ReadRecordLine(line, index_, memory)) {
            return {failure->code, failure->detail + " on line " + std::to_string(number) + " of " + fileName + "."};
        }
    }
    if (input.bad()) return {kReadNoRecord, "The file could not be read to its end"};
    return {};
}

std::string ReadFailureText(const ProfileReadResult& result) {
    const char* heading = result.code == kReadChecksumMismatch ? "Checksum error:" : "Undefined error: ";
    return std::string(heading) + "\n" + result.detail;
}

void ReportReadFailure(const ProfileReadResult& result, IReporter& reporter) {
    reporter.Report(kReadErrorCaption, ReadFailureText(result));
}

}  // namespace orvik
