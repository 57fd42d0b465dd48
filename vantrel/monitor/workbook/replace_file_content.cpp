#include "replace_file_content.h"

#include "vantrel/config/profile_writer.h"
#include "vantrel/config/replacing_file.h"

namespace vantrel::workbook {

std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes) {
    ReplacingFile file(path);
    int error = file.Open();
    if (error == 0) error = file.Write(bytes);
    if (error == 0) error = file.Commit();
    if (error == 0) return std::nullopt;
    return SaveErrorText(path, WriteErrorText(error));
}

std::string SaveErrorText(const std::string& path, const std::string& reason) {
    return "Cannot save " + path + ": " + reason;
}

}  // namespace vantrel::workbook
