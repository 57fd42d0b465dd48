#include "orvik/definition/enabling_rule.h"

#include "orvik/definition/element.h"

namespace orvik {

EnablingRule ReadEnablingRule(pugi::xml_node control) {
    if (!HasAttribute(control, "en-id")) return {};
    if (IsElementNamed(control, "enable") && AttributeText(control, "id").empty()) return {};
    const std::string id = AttributeText(control, "en-id");
    if (id == "disabled") return {EnablingRule::kNever, {}};
    return {EnablingRule::kCheckBox, id};
}

std::string NotOnPageMessage(const std::string& checkBoxId) {
    return checkBoxId + " Is not available on this page.  Please correct profile.xml and try again.";
}

}  // namespace orvik
