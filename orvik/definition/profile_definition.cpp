#include "orvik/definition/profile_definition.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "orvik/definition/regular_file.h"

namespace orvik {
namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments;

std::string LineOf(std::string_view xml, std::ptrdiff_t offset) {
    const auto end = xml.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(xml.size()));
    return std::to_string(1 + std::count(xml.begin(), end, '\n'));
}

}  // namespace

void ProfileDefinition::LoadFile(const std::string& path) {
    if (std::string problem = RegularFileProblem(path, kLargestFileBytes); !problem.empty()) {
        throw DefinitionError(problem);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) throw DefinitionError("Cannot open " + path);
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) throw DefinitionError("Cannot read " + path);
    LoadText(content.str(), path);
}

void ProfileDefinition::LoadText(std::string_view xml, const std::string& name) {
    root_ = steps_ = memory_ = pugi::xml_node();
    const pugi::xml_parse_result parsed = document_.load_buffer(xml.data(), xml.size(), kParseOptions);
    if (!parsed) {
        document_.reset();
        throw DefinitionError(name + " is not valid XML: " + parsed.description() + " (line " +
                              LineOf(xml, parsed.offset) + ")");
    }
    const pugi::xml_node root = document_.child("profile-wizard");
    if (!root) throw DefinitionError(name + " has no \"profile-wizard\" element");
    const pugi::xml_node steps = root.child("steps");
    if (!steps) throw DefinitionError(name + " has no \"steps\" element in \"profile-wizard\"");
    if (!steps.child("step")) throw DefinitionError(name + " has no \"step\" element in \"steps\"");
    const pugi::xml_node memory = root.child("memory");
    if (!memory) throw DefinitionError(name + " has no \"memory\" element in \"profile-wizard\"");
    root_ = root;
    steps_ = steps;
    memory_ = memory;
}

}  // namespace orvik
