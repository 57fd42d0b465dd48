#pragma once

namespace vantrel::texts {

inline constexpr const char* kCommunicationsInProgress = "Error - Communications in Progress";
inline constexpr const char* kUploadFailed =
    "Upload Failed - Data was not completely sent\n"
    "Ensure device is powered and serial cable attached\n"
    "Ensure correct communications type selected";
inline constexpr const char* kCpuResetQuestion = "Do you wish to reset CPU to cause \nEEProm changes to take effect?";
inline constexpr const char* kCpuResetCaption = "CPU Reset";

inline constexpr const char* kOnlyHexOrPsd = "File Read Error: Only .HEX or .PSD files supported";
inline constexpr const char* kMustSaveAsPsd = "File Save Error: Must save as .PSD file";
inline constexpr const char* kFileNotFound = "File not Found";

inline constexpr const char* kPathNotFound = "Path not found";
inline constexpr const char* kSharingViolation = "Sharing violation";
inline constexpr const char* kFileExists = "File Exists, and cannot be overwritten";
inline constexpr const char* kInvalidOpenMode = "Invalid Open Mode";
inline constexpr const char* kTooManyOpenFiles = "Too many open files";

inline constexpr const char* kWritingPsdFile = "Writing PSD file";
inline constexpr const char* kUntitled = "Untitled";

}  // namespace vantrel::texts
