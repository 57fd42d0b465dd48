#include "program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) return user->pw_dir;
    return {};
}

}  // namespace

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

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

}  // namespace vantrel
