#include "orvik/wizard/window/wizard_files.h"

#include <filesystem>
#include <system_error>

#include "orvik/definition/profile_definition.h"
#include "orvik/image/evaluate_map.h"
#include "orvik/image/profile_writer.h"

namespace orvik {

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.rfind(static_cast<char>(std::filesystem::path::preferred_separator));
    return separator == std::string::npos ? path : path.substr(0, separator);
}

std::string WorkingProfilePath(const std::string& programFolder) {
    return (std::filesystem::path(programFolder) / kWorkingProfileName).string();
}

void SaveProfiles(TMemMap& memory, const TValMap& values, const std::string& location,
                  const std::string& programFolder, IReporter& reporter) {
    EvaluateMap(memory, values, reporter);
    WriteProfile(location, memory);
    WriteProfile(WorkingProfilePath(programFolder), memory);
}

ProfileReadResult LoadProfile(ProfileReader& reader, const std::string& location, TMemMap& memory,
                              TValMap& values, IReporter& reporter) {
    const ProfileReadResult result = reader.Read(location, memory);
    if (result.Ok()) EvaluateMap(values, memory, reporter);
    return result;
}

std::string LoadedMessage(const std::string& location) { return "Loaded: " + location; }

std::string FindDefinitionFile(const std::string& programFolder) {
    std::error_code error;
    if (std::filesystem::exists(ProfileDefinition::kDefaultFileName, error) || programFolder.empty()) {
        return ProfileDefinition::kDefaultFileName;
    }
    const std::filesystem::path installed = std::filesystem::path(programFolder) / ProfileDefinition::kDefaultFileName;
    return std::filesystem::exists(installed, error) ? installed.string() : ProfileDefinition::kDefaultFileName;
}

}  // namespace orvik
