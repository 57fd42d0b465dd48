#include "orvik/definition/memory_map_reader.h"

#include "orvik/definition/element.h"
#include "orvik/definition/location_address.h"

namespace orvik {

std::string DuplicateIdMessage(const std::string& id) { return "Duplicate ID found: " + id; }

std::string LocationLayoutProblem(pugi::xml_node loc) {
    const std::string id = AttributeText(loc, "id");
    if (!HasAttribute(loc, "address")) return "Location " + id + " has no address.";
    if (!ParseLocationAddress(AttributeText(loc, "address"))) {
        return "Location " + id + " has the address " + AttributeText(loc, "address") +
               "; an address is 0x00 to 0x1FF.";
    }
    if (!HasAttribute(loc, "length")) return "Location " + id + " has no length.";
    if (!ParseLocationLength(AttributeText(loc, "length"))) {
        return "Location " + id + " has the length " + AttributeText(loc, "length") + "; a length is 1 to 4.";
    }
    return {};
}

TMemMap ReadMemoryMap(pugi::xml_node memory, IReporter& reporter) {
    TMemMap locations;
    for (pugi::xml_node loc : memory.children("loc")) {
        if (!HasAttribute(loc, "id")) continue;
        const std::string id = AttributeText(loc, "id");
        if (locations.count(id) != 0) {
            reporter.Report(kErrorCaption, DuplicateIdMessage(id));
            break;
        }
        if (const std::string problem = LocationLayoutProblem(loc); !problem.empty()) {
            reporter.Report(kErrorCaption, problem);
            continue;
        }
        TMem location;
        location.expression = AttributeText(loc, "eval");
        location.value = AttributeText(loc, "default");
        location.element = loc;
        location.address = AttributeText(loc, "address");
        location.length = *ParseLocationLength(AttributeText(loc, "length"));
        locations.emplace(id, std::move(location));
    }
    return locations;
}

}  // namespace orvik
