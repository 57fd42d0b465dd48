#pragma once
#include <string>

namespace vantrel {

// The parts of a path that the file identity keeps.
std::string FileNameOf(const std::string& path);        // after the last '/'
std::string LowerExtension(const std::string& path);    // of the file name, lower case; "" when none
std::string TitleOf(const std::string& path);           // the file name without its extension

}  // namespace vantrel
