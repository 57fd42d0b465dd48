// Any text given to the profile reader: no crash, no write outside the image,
// and a failure always comes with a text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "vantrel/config/profile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    vantrel::EepromImage image;
    image.fill(0xFF);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto failure = vantrel::ReadProfileText(text, "fuzz.psd", image);
    if (failure && failure->empty()) std::abort();
    return 0;
}
