#pragma once
#include <pugixml.hpp>

#include "orvik/eval/values.h"

namespace orvik {

// Adds the value a step child defines: any element other than "step" with an
// "id". The first element of an id wins; its value starts as "default" (absent:
// "0"). A "choose" also (re)creates every preset id of its options as "0",
// replacing whatever defined that id before.
void DefineValue(pugi::xml_node stepChild, TValMap& values);

}  // namespace orvik
