#include "file_filter.h"

#include <filesystem>

namespace vantrel {

std::vector<FileFilterEntry> ParsePipeFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    std::vector<FileFilterEntry> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].empty()) entries.push_back({parts[i], parts[i + 1]});
    return entries;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (path.empty() || extension.empty()) return path;
    const std::filesystem::path p(path);
    if (p.has_extension() || !p.has_filename()) return path;
    return path + "." + extension;
}

}  // namespace vantrel
