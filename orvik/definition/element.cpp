#include "orvik/definition/element.h"

#include <cstring>

namespace orvik {

bool HasAttribute(pugi::xml_node element, const char* name) { return !element.attribute(name).empty(); }

std::string AttributeText(pugi::xml_node element, const char* name) { return element.attribute(name).value(); }

bool IsElementNamed(pugi::xml_node node, const char* name) {
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

std::string TextContent(pugi::xml_node element) {
    std::string text;
    for (pugi::xml_node node = element.first_child(); node;) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
        // Walk the subtree without recursion: first child, else next sibling up the chain.
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != element && !node.next_sibling()) node = node.parent();
        if (!node || node == element) break;
        node = node.next_sibling();
    }
    return text;
}

}  // namespace orvik
