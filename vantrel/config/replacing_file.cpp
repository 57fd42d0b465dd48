#include "replacing_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

constexpr int kMaxLinkHops = 40;                   // as the kernel allows
constexpr off_t kRestorableSize = 1 << 20;         // old content kept in memory up to this size
constexpr std::string_view kTempSuffix = ".tmp";

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the path they finally name, which need not exist yet.
int FinalTarget(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = current;
            return 0;
        }
        std::string next(PATH_MAX, '\0');
        const ssize_t length = readlink(current.c_str(), next.data(), next.size());
        if (length < 0) return errno;
        next.resize(static_cast<std::size_t>(length));
        if (next.empty() || next.front() != '/') next = FolderOf(current) + "/" + next;
        current = next;
    }
    return ELOOP;
}

std::atomic<unsigned> tempCounter{0};

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// ".NAME.PID-N.tmp": the process id of the writer, or 0 for other names.
pid_t TemporaryWriter(std::string_view name) {
    if (name.size() < 2 || name.front() != '.' || !name.ends_with(kTempSuffix)) return 0;
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot < 2) return 0;
    const std::string_view tag = name.substr(dot + 1);
    const std::size_t dash = tag.find('-');
    if (dash == std::string_view::npos || !AllDigits(tag.substr(0, dash)) || !AllDigits(tag.substr(dash + 1))) return 0;
    if (dash > 9) return 0;
    return static_cast<pid_t>(std::atoi(std::string(tag.substr(0, dash)).c_str()));
}

// Removes the temporary files of saves whose process is gone (killed part-way).
void RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = readdir(dir)) {
        const pid_t writer = TemporaryWriter(entry->d_name);
        if (writer <= 0 || writer == getpid()) continue;
        if (kill(writer, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours to judge
        unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

int WriteAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return 0;
}

bool ReadAt(int fd, std::string& bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pread(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

int RewriteInPlace(int fd, std::string_view content) {
    struct stat info {};
    if (fstat(fd, &info) != 0) return errno;
    const off_t oldSize = info.st_size;
    const auto newSize = static_cast<off_t>(content.size());
    // Claim the space first: a full disk or a size limit fails here, and cutting
    // the file back to its old size restores it.
    int error = WriteAt(fd, content, oldSize);
    if (error != 0) {
        if (ftruncate(fd, oldSize) != 0) return errno;
        return error;
    }
    std::string old;
    const bool restorable = oldSize <= kRestorableSize;
    if (restorable) {
        old.resize(static_cast<std::size_t>(oldSize));
        if (!ReadAt(fd, old, 0)) {
            error = errno != 0 ? errno : EIO;
            if (ftruncate(fd, oldSize) != 0) return errno;
            return error;
        }
    }
    error = WriteAt(fd, content, 0);
    if (error == 0 && ftruncate(fd, newSize) != 0) error = errno;
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (error != 0 && restorable && WriteAt(fd, old, 0) == 0) {
        if (ftruncate(fd, oldSize) != 0) return errno;
    }
    return error;
}

ReplacingFile::ReplacingFile(std::string path) { resolveError_ = FinalTarget(path, path_); }

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
    tempPath_.clear();
    pending_.clear();
    inPlace_ = false;
}

int ReplacingFile::Open() {
    Discard();
    if (resolveError_ != 0) return resolveError_;
    struct stat info {};
    const bool exists = stat(path_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return EISDIR;
    // A FIFO or a device could block the save or never take it whole.
    if (exists && !S_ISREG(info.st_mode)) return kNotRegularFile;
    if (exists && access(path_.c_str(), W_OK) != 0) return errno;

    const std::string folder = FolderOf(path_);
    RemoveStaleTemporaries(folder);
    // A fresh file gets the usual mode through the umask; a replacement keeps the old mode.
    const std::string stem = folder + "/." + NameOf(path_) + ".";
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
            fd_ = open(path_.c_str(), O_RDWR | O_CLOEXEC);
            return fd_ < 0 ? errno : 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int ReplacingFile::Write(std::string_view bytes) {
    if (fd_ < 0) return EBADF;
    if (inPlace_) {
        pending_.append(bytes);
        return 0;
    }
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
    if (inPlace_) {
        const int error = RewriteInPlace(fd_, pending_);
        Discard();
        return error;
    }
    if (fsync(fd_) != 0) {
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
    if (rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int err = errno;
        Discard();
        return err;
    }
    tempPath_.clear();
    return 0;
}

}  // namespace vantrel
