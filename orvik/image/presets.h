#pragma once
#include <pugixml.hpp>
#include <string>

#include "orvik/eval/values.h"

namespace orvik {

// Sets the preset values of the option a "choose" has selected: the first child
// whose "name" is the selected text, else, when the text is a non-negative
// decimal integer, the child node at that position (comments count). A position
// past the last child selects nothing.
void ApplyPresets(pugi::xml_node choose, const std::string& selected, TValMap& values);

}  // namespace orvik
