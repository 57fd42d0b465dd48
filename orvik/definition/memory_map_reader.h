#pragma once
#include <pugixml.hpp>
#include <string>

#include "orvik/definition/reporter.h"
#include "orvik/eval/values.h"

namespace orvik {

// Reads the "loc" children of "memory" in document order. A "loc" without "id"
// is skipped; one whose address or length is unusable is reported under
// "Error:" and skipped; a repeated id is reported as "Duplicate ID found: " + id
// and ends the reading, keeping the locations read so far.
TMemMap ReadMemoryMap(pugi::xml_node memory, IReporter& reporter);

// Empty when the location's "address" and "length" can be used, else what is wrong.
std::string LocationLayoutProblem(pugi::xml_node loc);

std::string DuplicateIdMessage(const std::string& id);

}  // namespace orvik
