#pragma once
#include <cstdint>
#include <map>
#include <pugixml.hpp>
#include <string>

namespace orvik {

// A named value of the wizard, always held as text.
struct TVal {
    std::string expression;  // the element's "eval" attribute, or empty
    std::string value;
    pugi::xml_node element;  // the defining element; null for values made by presets
};

// A location of the board's configuration memory.
struct TMem : TVal {
    std::string address;  // the "address" attribute as written, e.g. 0x1F
    int32_t length = 0;   // bytes, 1 to 4
};

// Both tables are ordered by byte-wise name comparison.
using TValMap = std::map<std::string, TVal>;
using TMemMap = std::map<std::string, TMem>;

}  // namespace orvik
