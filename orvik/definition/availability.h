#pragma once
#include <pugixml.hpp>
#include <string>

#include "orvik/definition/reporter.h"
#include "orvik/eval/values.h"

namespace orvik {

// The availability rule of a "step", "entry", "choose" or "enable", tested each
// time the element would be shown:
// - "depend-id" and "depend-val" both present: the named value's text equals
//   "depend-val" byte for byte;
// - else "depend-eqn" present: its number is not 0;
// - else available.
// A "depend-eqn" that fails is reported under "Equation error:", a "depend-id"
// naming no value under "Error:"; the element then counts as unavailable.
bool IsAvailable(pugi::xml_node element, const TValMap& values, IReporter& reporter);

std::string MissingDependIdMessage(const std::string& id);

}  // namespace orvik
