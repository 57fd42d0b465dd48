#include "configuration_file.h"

#include "file_names.h"
#include "message_texts.h"
#include "profile_reader.h"
#include "word_layout_reader.h"

namespace vantrel {

std::optional<std::string> ReadConfigurationImage(const std::string& path, EepromImage& image) {
    image.fill(kErasedByte);
    if (LowerExtension(path) == "psd") return ReadProfileFile(path, image);
    if (!ReadWordLayoutFile(path, image)) return std::string(texts::kFileNotFound);
    return std::nullopt;
}

}  // namespace vantrel
