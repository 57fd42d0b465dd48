#pragma once
#include <cstddef>
#include <string>

namespace vantrel::cli {

// The board's bytes for a terminal: printable characters as they are, the
// others as \xHH.
std::string EscapedForTerminal(const char* bytes, std::size_t count);

}  // namespace vantrel::cli
