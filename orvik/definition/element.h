#pragma once
#include <pugixml.hpp>
#include <string>

namespace orvik {

// Attribute and element access on definition nodes. Names compare byte-wise and
// case-sensitively; an absent attribute reads as empty text.
bool HasAttribute(pugi::xml_node element, const char* name);
std::string AttributeText(pugi::xml_node element, const char* name);
bool IsElementNamed(pugi::xml_node node, const char* name);

// All text and CDATA below the element, in document order.
std::string TextContent(pugi::xml_node element);

}  // namespace orvik
