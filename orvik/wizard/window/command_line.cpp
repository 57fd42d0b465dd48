#include "orvik/wizard/window/command_line.h"

namespace orvik {

std::string JoinArguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

std::optional<std::size_t> FindLoadOption(const std::string& commandLine) {
    for (std::size_t at = commandLine.find("-f"); at != std::string::npos; at = commandLine.find("-f", at + 1)) {
        if (at == 0 || commandLine[at - 1] == ' ') return at;
    }
    return std::nullopt;
}

std::string LoadOptionFileName(const std::string& commandLine, std::size_t optionStart) {
    const std::size_t nameStart = optionStart + 3;
    return nameStart < commandLine.size() ? commandLine.substr(nameStart) : std::string();
}

}  // namespace orvik
