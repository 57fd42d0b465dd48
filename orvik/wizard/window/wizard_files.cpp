#include "orvik/wizard/window/wizard_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) return user->pw_dir;
    return {};
}

}  // namespace

std::string ScratchFolder(const std::string& programFolder, std::string home) {
    // Only a folder that exists and refuses writing is replaced; any other
    // failure shows when the file is written.
    std::error_code missing;
    if (programFolder.empty() || !std::filesystem::is_directory(programFolder, missing) ||
        access(programFolder.c_str(), W_OK) == 0)
        return programFolder;
    if (home.empty()) home = HomeFolder();
    if (home.empty()) return programFolder;
    const std::filesystem::path folder = std::filesystem::path(home) / kUserScratchFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder.string();
}

std::string WorkingProfilePath(const std::string& programFolder) {
    return (std::filesystem::path(ScratchFolder(programFolder)) / kWorkingProfileName).string();
}

namespace {

// Writes one profile; the failure names the path and the system's reason.
std::string WriteOne(const std::string& path, const TMemMap& memory) {
    errno = 0;
    if (WriteProfile(path, memory)) return {};
    const int reason = errno;
    return "Cannot write " + path + ": " +
           (reason != 0 ? std::string(std::strerror(reason)) : std::string("the file could not be written"));
}

}  // namespace

std::string SaveProfiles(TMemMap& memory, const TValMap& values, const std::string& location,
                         const std::string& programFolder, IReporter& reporter) {
    EvaluateMap(memory, values, reporter);
    std::string failures;
    for (const std::string& path : {location, WorkingProfilePath(programFolder)}) {
        if (path.empty()) continue;
        if (std::string failure = WriteOne(path, memory); !failure.empty()) {
            failures += (failures.empty() ? "" : "\n") + failure;
        }
    }
    return failures;
}

ProfileReadResult LoadProfile(ProfileReader& reader, const std::string& location, TMemMap& memory,
                              TValMap& values, IReporter& reporter) {
    const ProfileReadResult result = reader.Read(location, memory);
    if (result.Ok()) EvaluateMap(values, memory, reporter);
    return result;
}

std::string LoadedMessage(const std::string& location) { return "Loaded: " + location; }

std::string DefinitionSearchNote(const std::string& programFolder) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return std::string(ProfileDefinition::kDefaultFileName) + " is looked for in the current folder (" +
           current.string() + "), then beside the program (" + programFolder + ").";
}

std::string FindDefinitionFile(const std::string& programFolder) {
    std::error_code error;
    if (std::filesystem::exists(ProfileDefinition::kDefaultFileName, error) || programFolder.empty()) {
        return ProfileDefinition::kDefaultFileName;
    }
    const std::filesystem::path program(programFolder);
    for (const std::filesystem::path& installed :
         {program / ProfileDefinition::kDefaultFileName,
          (program / kSharedDefinitionFolder / ProfileDefinition::kDefaultFileName).lexically_normal()}) {
        if (std::filesystem::exists(installed, error)) return installed.string();
    }
    return ProfileDefinition::kDefaultFileName;
}

}  // namespace orvik
