#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// A firmware program file read as text, a buffer at a time: each carriage
// return and line feed pair comes out as one line feed, every other byte as it
// is. Files of any size stream in constant memory.
class ProgramFileReader {
public:
    enum class Read { kCharacter, kEnd, kError };

    ProgramFileReader() = default;
    ~ProgramFileReader();
    ProgramFileReader(const ProgramFileReader&) = delete;
    ProgramFileReader& operator=(const ProgramFileReader&) = delete;

    // False when the file cannot be opened for reading (missing, no permission, a directory).
    bool Open(const std::string& path);
    void Close();
    Read Next(uint8_t& character);

private:
    // The next raw byte of the file; false at the end or on an error (see error_).
    bool NextRaw(uint8_t& byte);

    int fd_ = -1;
    std::vector<uint8_t> buffer_;
    std::size_t position_ = 0;
    std::size_t length_ = 0;
    bool error_ = false;
    bool held_ = false;  // a byte read ahead after a lone carriage return
    uint8_t heldByte_ = 0;
};

// What counting a program file found out before anything is sent.
struct ProgramFileCount {
    enum class Status {
        kCounted,
        kNotFound,   // cannot be opened
        kReadError,  // the count stopped at a read error; the update may still go on
        kEmpty,
        kBinary,     // holds bytes no Intel HEX text has
    };
    Status status = Status::kNotFound;
    // Characters as sent (a CR LF pair counts once) plus one for the read that
    // meets the end of the file: the total the progress is measured against.
    uint64_t total = 0;
};

ProgramFileCount CountProgramFile(const std::string& path);

// Whether the update goes on after a count: a read error only warns (the
// stream meets the same error and fails with the upload message).
bool MayStream(ProgramFileCount::Status status);
// The message a count shows, or null when it shows none.
const char* CountMessage(ProgramFileCount::Status status);

// True for the bytes a text program file may hold: printable ASCII, tab, line
// ends, form feed and the end-of-file mark some editors append.
bool IsProgramTextByte(uint8_t byte);

}  // namespace vantrel
