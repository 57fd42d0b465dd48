#pragma once
#include <pugixml.hpp>
#include <vector>

#include "orvik/eval/values.h"

namespace orvik {

// One step (page) of the wizard; the root is built on "steps" and never shown.
struct CStep {
    static constexpr int kDeepestNesting = 64;

    // Builds the inner steps and, in document order, the values the other
    // children define. Throws DefinitionError when steps nest too deeply.
    CStep(pugi::xml_node element, TValMap& values, int depth = 0);

    std::vector<CStep> children;
    bool canSkip = false;  // "canskip" is exactly "yes"
    bool skipped = false;  // passed over going forward; cleared when left with Next
    pugi::xml_node element;
};

}  // namespace orvik
