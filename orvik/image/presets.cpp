#include "orvik/image/presets.h"

#include <charconv>
#include <cstddef>
#include <optional>

#include "orvik/definition/element.h"

namespace orvik {
namespace {

std::optional<std::size_t> NonNegativeInteger(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return n;
}

pugi::xml_node SelectedOption(pugi::xml_node choose, const std::string& selected) {
    for (pugi::xml_node child : choose.children()) {
        if (child.type() == pugi::node_element && AttributeText(child, "name") == selected) return child;
    }
    const std::optional<std::size_t> position = NonNegativeInteger(selected);
    if (!position) return {};
    std::size_t index = 0;
    for (pugi::xml_node child : choose.children()) {
        if (index++ == *position) return child;
    }
    return {};
}

}  // namespace

void ApplyPresets(pugi::xml_node choose, const std::string& selected, TValMap& values) {
    const pugi::xml_node option = SelectedOption(choose, selected);
    for (pugi::xml_node preset : option.children("preset")) {
        values[AttributeText(preset, "id")].value = AttributeText(preset, "val");
    }
}

}  // namespace orvik
