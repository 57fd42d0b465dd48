#include "settings_file.h"

#include "regular_file.h"
#include "replacing_file.h"
#include "text_mode.h"

namespace vantrel {
namespace {

constexpr std::size_t kSettingsBytes = 4 * (3 + SavedSettings::kDirectoryLength + 13 + 16 + 12 + 2);

void PutInt(std::string& out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((bits >> shift) & 0xFF);
}

// Reads the integers one by one; once the bytes run out every later read fails.
class IntReader {
public:
    explicit IntReader(std::string_view bytes) : bytes_(bytes) {}

    bool Next(int32_t& value) {
        if (bytes_.size() - pos_ < 4) return false;
        uint32_t bits = 0;
        for (std::size_t i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += 4;
        value = static_cast<int32_t>(bits);
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

template <std::size_t N>
void PutFlags(std::string& out, const std::array<int32_t, N>& flags) {
    for (int32_t flag : flags) PutInt(out, flag);
}

template <std::size_t N>
void GetFlags(IntReader& in, std::array<int32_t, N>& flags) {
    for (int32_t& flag : flags) in.Next(flag);
}

}  // namespace

std::string EncodeSettings(const SavedSettings& settings) {
    std::string out;
    PutInt(out, settings.PortSelection);
    PutInt(out, settings.LinkProtocol);
    PutInt(out, static_cast<uint16_t>(settings.FirmwareType));
    // A cut path would name another folder; a path too long to keep is not kept.
    const std::string_view directory = settings.workingDirectory.size() <= SavedSettings::kDirectoryLength
                                           ? std::string_view(settings.workingDirectory)
                                           : std::string_view();
    for (std::size_t i = 0; i < SavedSettings::kDirectoryLength; ++i) {
        PutInt(out, i < directory.size() ? static_cast<signed char>(directory[i]) : 0);
    }
    const ConsoleEnableFlags& flags = settings.enableFlags;
    PutFlags(out, flags.smbus);
    PutFlags(out, flags.temperature);
    PutFlags(out, flags.other);
    PutFlags(out, flags.i2c);
    return ToTextMode(out);
}

void DecodeSettings(std::string_view bytes, SavedSettings& settings) {
    const std::string plain = FromTextMode(bytes);
    IntReader in(plain);
    int32_t value = 0;
    if (in.Next(value)) settings.PortSelection = static_cast<uint16_t>(value);
    if (in.Next(value)) settings.LinkProtocol = static_cast<uint16_t>(value);
    if (in.Next(value)) settings.FirmwareType = static_cast<FirmwareType>(value);

    std::string directory;
    bool ended = false;
    bool complete = true;
    for (std::size_t i = 0; i < SavedSettings::kDirectoryLength; ++i) {
        if (!in.Next(value)) {
            complete = false;
            break;
        }
        const char c = static_cast<char>(value & 0xFF);
        if (c == '\0') ended = true;
        if (!ended) directory += c;
    }
    if (complete || ended) settings.workingDirectory = directory;

    ConsoleEnableFlags& flags = settings.enableFlags;
    GetFlags(in, flags.smbus);
    GetFlags(in, flags.temperature);
    GetFlags(in, flags.other);
    GetFlags(in, flags.i2c);
}

bool LoadSettingsFile(const std::string& path, SavedSettings& settings) {
    // Enough for every byte doubled by the text-mode translation; the rest is never read.
    const FileRead read = ReadRegularFilePrefix(path, 2 * kSettingsBytes + 1);
    if (read.problem != ReadProblem::None) return false;
    DecodeSettings(read.content, settings);
    return true;
}

bool SaveSettingsFile(const std::string& path, const SavedSettings& settings) {
    ReplacingFile file(path);
    return file.Open() == 0 && file.Write(EncodeSettings(settings)) == 0 && file.Commit() == 0;
}

}  // namespace vantrel
