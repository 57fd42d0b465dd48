#pragma once

namespace vantrel::texts {

inline constexpr const char* kCommunicationsInProgress = "Error - Communications in Progress";
inline constexpr const char* kUploadFailed =
    "Upload Failed - Data was not completely sent\n"
    "Ensure device is powered and serial cable attached\n"
    "Ensure correct communications type selected";
// A transfer stopped by a board that answered: the link itself is fine.
inline constexpr const char* kTransferFunctionFailed =
    "Transfer Failed - The board answered with a function failure (0xFE)\n"
    "The board refused the EEPROM command; the items before it were moved";
inline constexpr const char* kTransferNotAcknowledged =
    "Transfer Failed - The board's acknowledgement was wrong\n"
    "The line may be noisy; the items before it were moved, repeat the transfer";
inline constexpr const char* kTransferBadChecksum =
    "Transfer Failed - A word read from the board failed its checksum\n"
    "The line may be noisy; the items before it were moved, repeat the transfer";
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

inline constexpr const char* kNotARegularFile = "Not a regular file";

inline constexpr const char* kWritingPsdFile = "Writing PSD file";
inline constexpr const char* kUntitled = "Untitled";

}  // namespace vantrel::texts
