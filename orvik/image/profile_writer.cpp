#include "orvik/image/profile_writer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "orvik/image/config_image.h"

namespace orvik {
namespace {

void AppendHexByte(std::string& text, uint32_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[(byte >> 4) & 0xF];
    text += kDigits[byte & 0xF];
}

}  // namespace

std::string FormatProfile(const std::vector<uint8_t>& image) {
    std::string text = ":0200000400F00A\r\n";
    for (std::size_t start = 0; start < image.size(); start += kBytesPerRecord) {
        const std::size_t count = std::min(kBytesPerRecord, image.size() - start);
        const uint32_t address = kProfileBaseAddress + static_cast<uint32_t>(start);
        uint32_t sum = static_cast<uint32_t>(count) + (address >> 8) + (address & 0xFF);
        text += ':';
        AppendHexByte(text, static_cast<uint32_t>(count));
        AppendHexByte(text, address >> 8);
        AppendHexByte(text, address & 0xFF);
        text += "00";
        for (std::size_t i = start; i < start + count; ++i) {
            AppendHexByte(text, image[i]);
            sum += image[i];
        }
        AppendHexByte(text, (0x100 - (sum & 0xFF)) & 0xFF);
        text += "\r\n";
    }
    text += ":00000001FF\r\n";
    return text;
}

bool WriteProfile(const std::string& path, const TMemMap& memory) {
    const std::string text = FormatProfile(BuildImage(memory));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

}  // namespace orvik
