// Any bytes given to the settings loader: no crash, and what it loaded is
// saved and loaded back unchanged (unless the saved bytes hold a 0x1A, which
// ends a text-mode file by design).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "vantrel/config/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    vantrel::SavedSettings loaded;
    vantrel::DecodeSettings(std::string_view(reinterpret_cast<const char*>(data), size), loaded);
    const std::string saved = vantrel::EncodeSettings(loaded);
    if (saved.find('\x1A') != std::string::npos) return 0;
    vantrel::SavedSettings again;
    again.workingDirectory = "unchanged?";
    vantrel::DecodeSettings(saved, again);
    if (!(again == loaded)) std::abort();
    return 0;
}
