#pragma once
#include <optional>
#include <string>

namespace orvik {

// The program's arguments, everything after the program name, joined by blanks.
std::string JoinArguments(int argc, const char* const* argv);

// Where the load option "-f" starts: at the start of the command line or after
// a blank, so a file name that merely contains "-f" is not taken for it.
std::optional<std::size_t> FindLoadOption(const std::string& commandLine);

// The file name of the load option: the text from the third character after
// the start of "-f" (one separator follows the option) to the end.
std::string LoadOptionFileName(const std::string& commandLine, std::size_t optionStart);

}  // namespace orvik
