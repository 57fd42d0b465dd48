#pragma once
#include <pugixml.hpp>
#include <string>

namespace orvik {

// The "en-id" of a control: absent, always enabled; "disabled", never; anything
// else names a check box on the same page that enables the control while checked.
struct EnablingRule {
    enum Kind { kAlways, kNever, kCheckBox };
    Kind kind = kAlways;
    std::string checkBoxId;
};

// An "enable" without an id is always enabled, whatever its "en-id".
EnablingRule ReadEnablingRule(pugi::xml_node control);

std::string NotOnPageMessage(const std::string& checkBoxId);

}  // namespace orvik
