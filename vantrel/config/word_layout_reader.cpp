#include "word_layout_reader.h"

#include "hex_digits.h"
#include "message_texts.h"
#include "regular_file.h"

namespace vantrel {
namespace {

constexpr unsigned kFirstEepromAddress = 0x4200;
constexpr unsigned kLastEepromAddress = 0x43F0;
// A programming file of the largest microcontrollers, with room to spare.
constexpr std::size_t kLargestProgrammingFile = 16 * 1024 * 1024;

}  // namespace

void ReadWordLayoutText(std::string_view text, EepromImage& image) {
    std::size_t pos = 0;
    auto take = [&](std::size_t count) -> std::optional<std::string_view> {
        if (text.size() - pos < count) return std::nullopt;
        const std::string_view part = text.substr(pos, count);
        pos += count;
        return part;
    };
    for (;;) {
        const std::size_t colon = text.find(':', pos);
        if (colon == std::string_view::npos) return;
        pos = colon + 1;
        const auto countDigits = take(2);
        const auto addressDigits = take(4);
        const auto typeDigits = take(2);
        if (!countDigits || !addressDigits || !typeDigits) return;
        if (*typeDigits == "01") return;
        const auto count = ParseHex(*countDigits);
        const auto address = ParseHex(*addressDigits);
        if (!count || !address || !ParseHex(*typeDigits)) continue;
        const bool eeprom = *address >= kFirstEepromAddress && *address <= kLastEepromAddress;
        const unsigned first = (*address - kFirstEepromAddress) / 2;
        for (unsigned i = 0; i < *count; ++i) {
            const auto digits = take(2);
            if (!digits) return;
            const auto byte = ParseHex(*digits);
            const unsigned offset = first + i / 2;
            if (eeprom && i % 2 == 0 && byte && offset <= 0xFF) image[offset] = static_cast<uint8_t>(*byte);
        }
        if (!take(2)) return;  // checksum, not verified
    }
}

std::optional<std::string> ReadWordLayoutFile(const std::string& path, EepromImage& image) {
    const FileRead read = ReadRegularFile(path, kLargestProgrammingFile);
    if (read.problem == ReadProblem::CannotOpen) return std::string(texts::kFileNotFound);
    if (read.problem != ReadProblem::None) {
        return "File Read Error: " + ReadProblemText(read, path, kLargestProgrammingFile);
    }
    ReadWordLayoutText(read.content, image);
    return std::nullopt;
}

}  // namespace vantrel
