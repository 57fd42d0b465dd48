#include "text_mode.h"

namespace vantrel {

std::string ToTextMode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (char c : bytes) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string FromTextMode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\x1A') break;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out += c;
    }
    return out;
}

}  // namespace vantrel
