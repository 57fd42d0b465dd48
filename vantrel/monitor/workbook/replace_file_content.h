#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::workbook {

// Puts bytes in place of the file at path only once they are all written, so a
// failed save leaves an earlier file as it was. The message for the user when
// it fails ("Cannot save PATH: Path not found (No such file or directory)").
std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes);

// The message for a save of path that failed for reason.
std::string SaveErrorText(const std::string& path, const std::string& reason);

}  // namespace vantrel::workbook
