#include "poll_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "polling_texts.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/replacing_file.h"

namespace vantrel {

std::string PollLogHeader(const CommandConsoles& consoles) {
    std::string header = std::string("Time") + kPollLogSeparator;
    for (const ConsoleLineRef& column : PollLogColumns()) {
        if (consoles.LogColumnEnabled(column)) header += consoles.Line(column).logColumn + kPollLogSeparator;
    }
    return header + kPollLogLineEnd;
}

std::string PollRecordLine(const CommandConsoles& consoles, long long elapsedSeconds) {
    std::string line = std::to_string(elapsedSeconds) + kPollLogSeparator;
    for (const ConsoleLineRef& column : PollLogColumns()) {
        if (consoles.LogColumnEnabled(column)) line += consoles.LogText(column) + kPollLogSeparator;
    }
    return line + kPollLogLineEnd;
}

int PollLogFile::Create(const std::string& header) const { return Write(O_TRUNC, header); }

int PollLogFile::Append(const std::string& line) const { return Write(O_APPEND, line); }

int PollLogFile::Write(int openFlags, const std::string& text) const {
    constexpr mode_t kNewFileMode = 0666;  // the umask narrows it
    struct stat existing {};
    if (::stat(path_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) return ReplacingFile::kNotRegularFile;
    // Non-blocking, so that a FIFO in the log's place cannot hang the poll; it
    // is refused below with everything else that is not a regular file.
    const int fd =
        ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | openFlags, kNewFileMode);
    if (fd < 0) return errno;
    struct stat status {};
    const int statError = ::fstat(fd, &status) != 0 ? errno : 0;
    if (statError != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return statError != 0 ? statError : ReplacingFile::kNotRegularFile;
    }
    const off_t before = ::lseek(fd, 0, SEEK_END);
    int error = 0;
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    // Half a record would look like a record with fewer columns: cut it off.
    if (error != 0 && before >= 0 && ::ftruncate(fd, before) != 0) {
        // The file keeps the part written; the caller reports the failure all the same.
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

std::string PollLogErrorText(int error) {
    const std::string reason =
        error == ReplacingFile::kNotRegularFile ? texts::kNotARegularFile : std::string(std::strerror(error));
    return std::string(texts::kPollLogUnavailable) + " (" + reason + ")";
}

}  // namespace vantrel
