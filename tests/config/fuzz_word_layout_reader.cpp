// Any text given to the word-layout reader: no crash, no write outside the image.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vantrel/config/word_layout_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    vantrel::EepromImage image;
    image.fill(0xFF);
    vantrel::ReadWordLayoutText(std::string_view(reinterpret_cast<const char*>(data), size), image);
    return 0;
}
