#include "profile_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "message_texts.h"
#include "replacing_file.h"
#include "vantrel/link/link_trace.h"

namespace vantrel {
namespace {

constexpr int kBytesPerRecord = 16;
constexpr int kRecordBaseAddress = 0x4200;
constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string ProfileRecordLine(const EepromImage& image, int n) {
    const int address = kRecordBaseAddress + kBytesPerRecord * n;
    auto sum = static_cast<unsigned>(kBytesPerRecord + (address >> 8) + (address & 0xFF));
    char text[16];
    std::snprintf(text, sizeof text, ":%02x%04x00", kBytesPerRecord, address);
    std::string line = text;
    for (int i = 0; i < kBytesPerRecord; ++i) {
        const uint8_t byte = image[static_cast<std::size_t>(kBytesPerRecord * n + i)];
        sum += byte;
        std::snprintf(text, sizeof text, "%02x", byte);
        line += text;
    }
    std::snprintf(text, sizeof text, "%02x", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + text;
}

std::string ProfileText(const EepromImage& image) {
    std::string text = std::string(kProfileFirstLine) + kLineEnd;
    for (int n = 0; n < kProfileRecordCount; ++n) text += ProfileRecordLine(image, n) + kLineEnd;
    return text + kProfileEndLine + kLineEnd;
}

namespace {

// The fixed texts of a file that cannot be created; empty for the other errors.
std::string CreationErrorText(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return texts::kPathNotFound;
        case EACCES:
        case EPERM:
        case EBUSY:
        case ETXTBSY:
        case EROFS: return texts::kSharingViolation;
        case EEXIST: return texts::kFileExists;
        case EINVAL: return texts::kInvalidOpenMode;
        case EMFILE:
        case ENFILE: return texts::kTooManyOpenFiles;
        default: return {};
    }
}

}  // namespace

std::string WriteErrorText(int error) {
    const std::string reason =
        error == ReplacingFile::kNotRegularFile ? texts::kNotARegularFile : std::string(std::strerror(error));
    const std::string text = CreationErrorText(error);
    return text.empty() ? reason : text + " (" + reason + ")";
}

int WriteProfile(const std::string& path, const EepromImage& image, LinkTrace& trace, IPrompter& prompter) {
    ReplacingFile file(path);
    int error = file.Open();
    if (error == 0) error = file.Write(std::string(kProfileFirstLine) + kLineEnd);
    for (int n = 0; n < kProfileRecordCount && error == 0; ++n) {
        trace.ShowStatus(path, texts::kWritingPsdFile);
        error = file.Write(ProfileRecordLine(image, n) + kLineEnd);
    }
    if (error == 0) error = file.Write(std::string(kProfileEndLine) + kLineEnd);
    if (error == 0) error = file.Commit();
    if (error == 0) return 0;
    prompter.Message(WriteErrorText(error));
    return 1;
}

}  // namespace vantrel
