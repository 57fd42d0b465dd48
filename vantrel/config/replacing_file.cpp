#include "replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Resolved(const std::string& path) {
    char buffer[PATH_MAX];
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), buffer) != nullptr) {
        return buffer;
    }
    return path;
}

std::atomic<unsigned> tempCounter{0};

}  // namespace

ReplacingFile::ReplacingFile(std::string path) : path_(Resolved(path)) {}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
    tempPath_.clear();
}

int ReplacingFile::Open() {
    Discard();
    struct stat info {};
    const bool exists = stat(path_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return EISDIR;
    if (exists && !S_ISREG(info.st_mode)) {
        inPlace_ = true;
        fd_ = open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return fd_ < 0 ? errno : 0;
    }
    if (exists && access(path_.c_str(), W_OK) != 0) return errno;

    // A fresh file gets the usual mode through the umask; a replacement keeps the old mode.
    const std::string stem = FolderOf(path_) + "/." + NameOf(path_) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = stem + std::to_string(getpid()) + "-" + std::to_string(tempCounter++) + ".tmp";
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            tempPath_ = candidate;
            if (exists) fchmod(fd_, info.st_mode & 07777);
            return 0;
        }
        if (errno == EACCES && exists) {
            // A writable file in a folder that takes no new files: only an in-place write is possible.
            inPlace_ = true;
            fd_ = open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            return fd_ < 0 ? errno : 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int ReplacingFile::Write(std::string_view bytes) {
    if (fd_ < 0) return EBADF;
    while (!bytes.empty()) {
        const ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int ReplacingFile::Commit() {
    if (fd_ < 0) return EBADF;
    if (!inPlace_ && fsync(fd_) != 0) {
        const int err = errno;
        Discard();
        return err;
    }
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) {
        const int err = errno;
        Discard();
        return err;
    }
    if (inPlace_) return 0;
    if (rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int err = errno;
        Discard();
        return err;
    }
    tempPath_.clear();
    return 0;
}

}  // namespace vantrel
