#include "frame_layout.h"

#include "link_checksum.h"

namespace vantrel {

FrameLayout FrameLayout::For(uint8_t address, uint8_t command, int protocol) {
    FrameLayout layout;
    layout.isRead = (address & 1) != 0;
    layout.busTimer = protocol == 0 || protocol == 1;
    layout.withChecksum = protocol == 0;
    layout.dataCount = command == kBlockCommand ? 16 : 2;
    return layout;
}

uint8_t DataByte(const int32_t* data, int index) {
    if (data == nullptr) return 0;
    const auto element = static_cast<uint32_t>(data[index / 4]);
    return static_cast<uint8_t>(element >> (8 * (index % 4)));
}

std::vector<uint8_t> BuildHostBytes(const FrameLayout& layout, uint8_t address, uint8_t command,
                                    const int32_t* data, FirmwareType firmwareType) {
    std::vector<uint8_t> bytes{address, command};
    if (!layout.isRead) {
        for (int i = 0; i < layout.dataCount; ++i) bytes.push_back(DataByte(data, i));
        if (layout.withChecksum) bytes.push_back(FrameChecksum(firmwareType, bytes.data(), bytes.size()));
        return bytes;
    }
    if (layout.busTimer) {
        for (int i = 2; i < layout.LastPosition(); ++i) bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(0xFF);
    }
    return bytes;
}

}  // namespace vantrel
