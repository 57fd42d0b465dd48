#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel {
namespace {

FileRead Read(const std::string& path, std::size_t maxBytes, bool wholeOnly) {
    FileRead read;
    struct stat info {};
    // Looked at before it is opened: opening a device can have effects of its own.
    if (stat(path.c_str(), &info) != 0) {
        read.problem = ReadProblem::CannotOpen;
        read.error = errno;
        return read;
    }
    if (S_ISDIR(info.st_mode)) {
        read.problem = ReadProblem::CannotOpen;
        read.error = EISDIR;
        return read;
    }
    if (!S_ISREG(info.st_mode)) {
        read.problem = ReadProblem::NotRegularFile;
        return read;
    }
    // Non-blocking, and checked again once open, in case the name changed hands meanwhile.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        read.problem = ReadProblem::CannotOpen;
        read.error = errno;
        return read;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        read.problem = ReadProblem::NotRegularFile;
        return read;
    }
    // One byte more than allowed tells a file that is too large.
    const std::size_t limit = wholeOnly ? maxBytes + 1 : maxBytes;
    read.content.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::read(fd, read.content.data() + done, limit - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            read.problem = ReadProblem::CannotOpen;
            read.error = errno;
            break;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    read.content.resize(done);
    if (read.problem == ReadProblem::None && wholeOnly && done > maxBytes) {
        read.problem = ReadProblem::TooLarge;
        read.content.clear();
    }
    return read;
}

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes) { return Read(path, maxBytes, true); }

FileRead ReadRegularFilePrefix(const std::string& path, std::size_t maxBytes) { return Read(path, maxBytes, false); }

std::string ReadProblemText(const FileRead& read, const std::string& path, std::size_t maxBytes) {
    switch (read.problem) {
        case ReadProblem::None: return {};
        case ReadProblem::CannotOpen: return "Cannot open " + path + ": " + std::strerror(read.error);
        case ReadProblem::NotRegularFile: return path + " is not a regular file";
        case ReadProblem::TooLarge: return path + " is larger than " + std::to_string(maxBytes) + " bytes";
    }
    return {};
}

}  // namespace vantrel
