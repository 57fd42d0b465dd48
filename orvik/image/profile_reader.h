#pragma once
#include <cstdint>
#include <istream>
#include <map>
#include <string>

#include "orvik/definition/reporter.h"
#include "orvik/eval/values.h"

namespace orvik {

enum ProfileReadCode : int {
    kReadOk = 0,
    kReadNoRecord = 1,          // file cannot be opened, or a long line without ":"
    kReadBadCount = 2,          // byte count not hexadecimal
    kReadBadAddress = 3,        // address not hexadecimal
    kReadBadType = 4,           // record type not hexadecimal
    kReadUnknownAddress = 5,    // no location at a data position
    kReadDataShort = 6,         // data ends before the byte count is reached
    kReadBadChecksum = 7,       // checksum not hexadecimal
    kReadChecksumMismatch = 8,  // checksum differs from the computed one
    kReadLineTooLong = 9,       // a line of more than 511 characters
    kReadBadData = 10,          // a location's data bytes not hexadecimal
    kReadPastRecord = 11,       // a location's bytes run past its record's data
};

struct ProfileReadResult {
    int code = kReadOk;
    // The failure's detail, then " on line N of FILE." (lines from 0); for a
    // file that could not be opened, why, with its full path. Empty on success.
    std::string detail;

    bool Ok() const { return code == kReadOk; }
};

// Reads location values from a profile. Each data position of a record selects
// the location whose address is ((record address + position) modulo 512); its
// bytes, least significant first, become its unsigned decimal text. The first
// failure ends the reading; values stored before it stay stored.
class ProfileReader {
public:
    ProfileReadResult Read(const std::string& path, TMemMap& memory);
    ProfileReadResult Read(std::istream& input, const std::string& fileName, TMemMap& memory);

private:
    // Address text to location id, built from the first memory map read into.
    std::map<std::string, std::string> index_;
    bool indexed_ = false;
};

inline constexpr std::size_t kLongestProfileLine = 511;
// A profile has under 1 KB; anything this large is no profile.
inline constexpr std::uintmax_t kLargestProfileBytes = 1u << 20;

// "Checksum error:" for code 8, "Undefined error: " otherwise, a line break, the detail.
std::string ReadFailureText(const ProfileReadResult& result);

// Shows a failed read under "ERROR".
void ReportReadFailure(const ProfileReadResult& result, IReporter& reporter);

}  // namespace orvik
