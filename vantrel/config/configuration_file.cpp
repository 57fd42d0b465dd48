#include "configuration_file.h"

#include "file_names.h"
#include "profile_reader.h"
#include "word_layout_reader.h"

namespace vantrel {

std::optional<std::string> ReadConfigurationImage(const std::string& path, EepromImage& image) {
    image.fill(kErasedByte);
    if (LowerExtension(path) == "psd") return ReadProfileFile(path, image);
    return ReadWordLayoutFile(path, image);
}

}  // namespace vantrel
