#pragma once
#include <cstdio>
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

// The text between each occurrence of open and the next close.
inline std::vector<std::string> AllBetween(const std::string& text, const std::string& open, const std::string& close) {
    std::vector<std::string> found;
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        at += open.size();
        const std::size_t end = text.find(close, at);
        if (end == std::string::npos) break;
        found.push_back(text.substr(at, end - at));
        at = end + close.size();
    }
    return found;
}

// A worksheet part's element of one cell (<c r="B2" ...>...</c>); empty when it has none.
inline std::string CellElement(const std::string& sheetXml, const std::string& cell) {
    const std::size_t start = sheetXml.find("<c r=\"" + cell + "\"");
    if (start == std::string::npos) return {};
    const std::size_t tagEnd = sheetXml.find('>', start);
    if (tagEnd == std::string::npos) return {};
    if (sheetXml[tagEnd - 1] == '/') return sheetXml.substr(start, tagEnd + 1 - start);  // <c r="A1"/>
    const std::size_t end = sheetXml.find("</c>", tagEnd);
    return end == std::string::npos ? std::string() : sheetXml.substr(start, end + 4 - start);
}

}  // namespace workbook_testing
