#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// Writes a file's new content beside it and puts it in the old one's place only
// when everything was written, so a failed or interrupted save leaves the old
// file as it was. Operations return 0, an errno value or kNotRegularFile.
//
// A symbolic link is written through to the file it names (created if missing);
// the link stays. Something other than a regular file or a folder (a FIFO, a
// device, a socket) is refused before it is opened. Temporary files left by a
// save that was killed (".NAME.PID-N.tmp" of a process that no longer runs) are
// removed by the next save to the folder.
class ReplacingFile {
public:
    static constexpr int kNotRegularFile = -1;

    explicit ReplacingFile(std::string path);
    ~ReplacingFile();  // an uncommitted new file is removed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Fails as opening the file itself for writing would (EACCES for a
    // read-only file, EISDIR for a folder, ENOENT for a missing folder, ELOOP
    // for a loop of links, ...).
    int Open();
    int Write(std::string_view bytes);
    int Commit();

private:
    void Discard();

    std::string path_;      // the file to replace, after symbolic links
    int resolveError_ = 0;  // why the links could not be followed
    std::string tempPath_;
    int fd_ = -1;
    bool inPlace_ = false;  // a writable file in a folder that takes no new files
    std::string pending_;   // in place: the new content, written by Commit
};

// Replaces the whole content of fd (open for reading and writing) so that a
// failure leaves the old content: the new content is first written after the
// old one, which claims the space it needs, and only then copied to the start
// and the file cut to its length. Returns 0 or an errno value.
int RewriteInPlace(int fd, std::string_view content);

}  // namespace vantrel
