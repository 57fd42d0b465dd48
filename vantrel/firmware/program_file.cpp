#include "program_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "firmware_texts.h"

namespace vantrel {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr uint8_t kCarriageReturn = '\r';
constexpr uint8_t kLineFeed = '\n';
constexpr uint8_t kEndOfFileMark = 0x1A;

}  // namespace

ProgramFileReader::~ProgramFileReader() { Close(); }

bool ProgramFileReader::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        Close();
        return false;
    }
    buffer_.resize(kBufferSize);
    return true;
}

void ProgramFileReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    position_ = length_ = 0;
    error_ = false;
    held_ = false;
}

bool ProgramFileReader::NextRaw(uint8_t& byte) {
    if (held_) {
        held_ = false;
        byte = heldByte_;
        return true;
    }
    if (position_ == length_) {
        if (fd_ < 0 || error_) return false;
        ssize_t got = 0;
        do {
            got = ::read(fd_, buffer_.data(), buffer_.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0) error_ = true;
        if (got <= 0) return false;
        position_ = 0;
        length_ = static_cast<std::size_t>(got);
    }
    byte = buffer_[position_++];
    return true;
}

ProgramFileReader::Read ProgramFileReader::Next(uint8_t& character) {
    uint8_t byte = 0;
    if (!NextRaw(byte)) return error_ ? Read::kError : Read::kEnd;
    if (byte == kCarriageReturn) {
        uint8_t following = 0;
        if (NextRaw(following)) {
            if (following == kLineFeed) {
                byte = kLineFeed;
            } else {
                held_ = true;
                heldByte_ = following;
            }
        } else if (error_) {
            return Read::kError;
        }
    }
    character = byte;
    return Read::kCharacter;
}

bool IsProgramTextByte(uint8_t byte) {
    return (byte >= 0x20 && byte <= 0x7E) || (byte >= '\t' && byte <= '\r') || byte == kEndOfFileMark;
}

ProgramFileCount CountProgramFile(const std::string& path) {
    ProgramFileCount count;
    ProgramFileReader reader;
    if (!reader.Open(path)) return count;
    uint64_t characters = 0;
    uint8_t character = 0;
    ProgramFileReader::Read read;
    while ((read = reader.Next(character)) == ProgramFileReader::Read::kCharacter) {
        if (!IsProgramTextByte(character)) {
            count.status = ProgramFileCount::Status::kBinary;
            return count;
        }
        ++characters;
    }
    count.total = characters + 1;
    if (read == ProgramFileReader::Read::kError) {
        count.status = ProgramFileCount::Status::kReadError;
    } else {
        count.status = characters == 0 ? ProgramFileCount::Status::kEmpty : ProgramFileCount::Status::kCounted;
    }
    return count;
}

bool MayStream(ProgramFileCount::Status status) {
    return status == ProgramFileCount::Status::kCounted || status == ProgramFileCount::Status::kReadError;
}

const char* CountMessage(ProgramFileCount::Status status) {
    switch (status) {
    case ProgramFileCount::Status::kNotFound:
        return texts::kProgramFileNotFound;
    case ProgramFileCount::Status::kEmpty:
        return texts::kProgramFileEmpty;
    case ProgramFileCount::Status::kBinary:
        return texts::kProgramFileBinary;
    case ProgramFileCount::Status::kReadError:
        return texts::kProgramFileReadError;
    case ProgramFileCount::Status::kCounted:
        break;
    }
    return nullptr;
}

}  // namespace vantrel
