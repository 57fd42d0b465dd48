#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// The translation of a text-mode file stream, written out so that files stay
// byte-compatible on every platform: each 0x0A is written as 0x0D 0x0A; on
// reading 0x0D 0x0A is 0x0A and a 0x1A ends the file.
std::string ToTextMode(std::string_view bytes);
std::string FromTextMode(std::string_view bytes);

}  // namespace vantrel
