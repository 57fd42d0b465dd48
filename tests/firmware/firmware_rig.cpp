#include "firmware_rig.h"

#include <cstdio>
#include <vector>

namespace fwtest {

void EnterBootloader(BoardRig& rig) {
    rig.WithBoard([](ixsim::Board& board) { board.EnterBootloader(); });
}

std::string ReceivedText(BoardRig& rig) {
    const std::vector<uint8_t> bytes = rig.Received();
    return {bytes.begin(), bytes.end()};
}

namespace {

std::string Record(int count, int address, int type, const std::vector<int>& data, int checksumError) {
    int sum = count + (address >> 8) + (address & 0xFF) + type;
    char text[16];
    std::snprintf(text, sizeof text, ":%02X%04X%02X", count, address, type);
    std::string record = text;
    for (int byte : data) {
        std::snprintf(text, sizeof text, "%02X", byte);
        record += text;
        sum += byte;
    }
    std::snprintf(text, sizeof text, "%02X", (0x100 - (sum & 0xFF) + checksumError) & 0xFF);
    return record + text;
}

}  // namespace

std::string FirmwareText::Text() const {
    const std::string endOfFile = Record(0, 0, 1, {}, 0);
    std::string text;
    for (int i = 0; i < dataRecords; ++i) {
        std::vector<int> data;
        for (int b = 0; b < 16; ++b) data.push_back((i * 16 + b * 7) & 0xFF);
        text += Record(16, i * 16, 0, data, i == badChecksumAt ? 1 : 0) + "\r\n";
        if (i == endRecordAfter) text += endOfFile + "\r\n";
    }
    if (endRecord) text += endOfFile + "\r\n";
    if (!finalLineEnd && text.size() >= 2) text.resize(text.size() - 2);
    return text;
}

std::string AsSent(const std::string& text) {
    std::string sent;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        sent += text[i];
    }
    return sent;
}

}  // namespace fwtest
