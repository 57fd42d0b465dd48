#pragma once
#include <cstdint>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvik {

// A definition that cannot be used at all: what() says why.
class DefinitionError : public std::runtime_error {
public:
    explicit DefinitionError(const std::string& message) : std::runtime_error(message) {}
};

// The loaded definition file. Steps, values and locations keep handles to its
// elements, so it must outlive them; it is neither copied nor moved.
class ProfileDefinition {
public:
    static constexpr const char* kDefaultFileName = "profile.xml";
    // Far beyond any real definition (the shipped one has well under 100 KB);
    // a larger file is refused before it is read.
    static constexpr std::uintmax_t kLargestFileBytes = 8u << 20;

    ProfileDefinition() = default;
    ProfileDefinition(const ProfileDefinition&) = delete;
    ProfileDefinition& operator=(const ProfileDefinition&) = delete;

    // Both throw DefinitionError for an unreadable or malformed file, or one
    // without "profile-wizard", "steps" (with a "step") or "memory".
    void LoadFile(const std::string& path);
    void LoadText(std::string_view xml, const std::string& name = kDefaultFileName);

    pugi::xml_node Root() const { return root_; }
    pugi::xml_node Steps() const { return steps_; }
    pugi::xml_node Memory() const { return memory_; }

private:
    pugi::xml_document document_;
    pugi::xml_node root_;
    pugi::xml_node steps_;
    pugi::xml_node memory_;
};

}  // namespace orvik
