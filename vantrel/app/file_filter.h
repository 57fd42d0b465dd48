#pragma once
#include <string>
#include <vector>

namespace vantrel {

struct FileFilterEntry {
    std::string label;    // "PSD Files (*.psd)"
    std::string pattern;  // "*.psd"
};

// "PSD Files (*.psd)|*.psd|All Files (*.*)|*.*|" as label and pattern pairs.
std::vector<FileFilterEntry> ParsePipeFilter(const std::string& filter);

// A chosen name without an extension gets the default one, as the file dialogs do.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace vantrel
