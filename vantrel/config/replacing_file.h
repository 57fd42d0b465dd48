#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// Writes a file's new content beside it and puts it in the old one's place only
// when everything was written, so a failed or interrupted save leaves the old
// file as it was. Operations return 0 or an errno value.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string path);
    ~ReplacingFile();  // an uncommitted new file is removed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Fails as opening the file itself for writing would (EACCES for a
    // read-only file, EISDIR for a folder, ENOENT for a missing folder, ...).
    int Open();
    int Write(std::string_view bytes);
    int Commit();

private:
    void Discard();

    std::string path_;      // the file to replace (symbolic links followed)
    std::string tempPath_;
    int fd_ = -1;
    bool inPlace_ = false;  // not a regular file (a device, a pipe): written directly
};

}  // namespace vantrel
