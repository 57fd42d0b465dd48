#pragma once
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace workbook_testing {

// One part of a saved .xlsx (a zip archive), as `unzip -p` prints it; empty
// when the archive has no such part.
inline std::string UnzipPart(const std::string& archive, const std::string& part) {
    const std::string command = "unzip -p '" + archive + "' '" + part + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    std::string text;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    pclose(pipe);
    return text;
}

// The first group of every match of pattern in text.
inline std::vector<std::string> AllMatches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex expression(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

}  // namespace workbook_testing
