#include "orvik/wizard/step.h"

#include "orvik/definition/element.h"
#include "orvik/definition/profile_definition.h"
#include "orvik/image/value_table.h"

namespace orvik {

CStep::CStep(pugi::xml_node stepElement, TValMap& values, int depth)
    : canSkip(AttributeText(stepElement, "canskip") == "yes"), element(stepElement) {
    if (depth > kDeepestNesting) {
        throw DefinitionError("Steps are nested more than " + std::to_string(kDeepestNesting) + " deep");
    }
    for (pugi::xml_node child : stepElement.children()) {
        if (IsElementNamed(child, "step")) {
            children.emplace_back(child, values, depth + 1);
        } else {
            DefineValue(child, values);
        }
    }
}

}  // namespace orvik
