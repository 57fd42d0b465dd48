#pragma once
#include <cstddef>
#include <string>

namespace vantrel {

// Reading a file the user named, with limits. Only a regular file (or a
// symbolic link to one) is opened: a FIFO or a device could block or never
// end. No more than a given size is read.
enum class ReadProblem { None, CannotOpen, NotRegularFile, TooLarge };

struct FileRead {
    ReadProblem problem = ReadProblem::None;
    int error = 0;  // errno of CannotOpen (EISDIR for a folder)
    std::string content;
};

// The whole file; a file larger than maxBytes is refused (TooLarge).
FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes);
// The file's first maxBytes; the rest is never read.
FileRead ReadRegularFilePrefix(const std::string& path, std::size_t maxBytes);

// "Cannot open PATH: reason", "PATH is not a regular file", "PATH is larger
// than N bytes"; empty without a problem.
std::string ReadProblemText(const FileRead& read, const std::string& path, std::size_t maxBytes);

}  // namespace vantrel
