#include "orvik/image/value_table.h"

#include "orvik/definition/element.h"

namespace orvik {

void DefineValue(pugi::xml_node stepChild, TValMap& values) {
    if (stepChild.type() != pugi::node_element || IsElementNamed(stepChild, "step")) return;
    if (!HasAttribute(stepChild, "id")) return;

    const std::string id = AttributeText(stepChild, "id");
    if (values.count(id) == 0) {
        const std::string initial = HasAttribute(stepChild, "default") ? AttributeText(stepChild, "default") : "0";
        values.emplace(id, TVal{AttributeText(stepChild, "eval"), initial, stepChild});
    }
    if (!IsElementNamed(stepChild, "choose")) return;
    for (pugi::xml_node option : stepChild.children()) {
        for (pugi::xml_node preset : option.children("preset")) {
            values[AttributeText(preset, "id")] = TVal{{}, "0", {}};
        }
    }
}

}  // namespace orvik
