#include "orvik/definition/regular_file.h"

#include <filesystem>
#include <system_error>

namespace orvik {

std::string RegularFileProblem(const std::string& path, std::uintmax_t largestBytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path where = fs::absolute(path, error);
    const std::string shown = error ? path : where.string();
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        return "Cannot open " + shown + ": " + (error ? error.message() : std::string("No such file or directory"));
    }
    if (fs::is_directory(status)) return "Cannot open " + shown + ": it is a folder, not a file";
    if (!fs::is_regular_file(status)) return "Cannot open " + shown + ": it is not a regular file";
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return "Cannot open " + shown + ": " + error.message();
    if (size > largestBytes) {
        return "Cannot open " + shown + ": it has " + std::to_string(size) + " bytes, more than the " +
               std::to_string(largestBytes) + " accepted";
    }
    return {};
}

}  // namespace orvik
