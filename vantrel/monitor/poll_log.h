#pragma once
#include <string>

namespace vantrel {

class CommandConsoles;

inline constexpr const char* kPollLogLineEnd = "\r\n";
inline constexpr const char* kPollLogSeparator = ", ";

// The poll log's header: "Time, " and the name of every enabled column, each
// followed by ", ", in file order; then the line end.
std::string PollLogHeader(const CommandConsoles& consoles);
// One record: the elapsed seconds and every enabled column's value as the
// consoles' stores hold it, each followed by ", "; then the line end.
std::string PollRecordLine(const CommandConsoles& consoles, long long elapsedSeconds);

// The poll log file. Each write opens the file, writes and closes it again, so
// that a crash or a pulled cable loses at most the record being written. A
// write that fails part-way is cut off again: the file never ends in half a
// line. Operations return 0, the errno value of what failed, or
// ReplacingFile::kNotRegularFile for a FIFO, device or folder in the log's place.
class PollLogFile {
public:
    explicit PollLogFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // Creates or truncates the file and writes the header.
    [[nodiscard]] int Create(const std::string& header) const;
    [[nodiscard]] int Append(const std::string& line) const;

private:
    [[nodiscard]] int Write(int openFlags, const std::string& text) const;

    std::string path_;
};

// The message for a log that cannot be opened or written, with the system's reason.
std::string PollLogErrorText(int error);

}  // namespace vantrel
