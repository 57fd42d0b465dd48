#pragma once
#include <string>
#include <vector>

#include "orvik/definition/profile_definition.h"

namespace orvik {

// Everything wrong with a definition that the wizard would only meet while
// running, one line each: repeated or unusable locations, "en-id" naming no
// check box on its step, "depend-id" naming no value, expressions that do not
// compile or name missing values, overlapping locations, locations a profile
// cannot carry, and the offsets 0x00 to 0xFF that no location covers.
std::vector<std::string> CheckDefinition(const ProfileDefinition& definition);

}  // namespace orvik
