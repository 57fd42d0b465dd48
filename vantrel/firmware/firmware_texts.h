#pragma once

// The firmware update's own texts; the shared ones (busy, upload failed) are
// in vantrel/config/message_texts.h.
namespace vantrel::texts {

inline constexpr const char* kFirmwareUpdateCaption = "FirmWare Update";
inline constexpr const char* kMustLoadProgramFile = "Error: Must load Program file first";
inline constexpr const char* kProgramFileNotFound = "Error: File not Found";
inline constexpr const char* kProgramFileReadError = "Error: Read error";
inline constexpr const char* kProgramFileEmpty = "Error: The program file is empty";
inline constexpr const char* kProgramFileBinary =
    "Error: The program file is not a text file\nA firmware program file is Intel HEX text";
inline constexpr const char* kFirmwareInstructions =
    "Step 1) Shut down the device\n"
    "Step 2) Jumper SDA pin to GND\n"
    "Step 3) Power up device\n"
    "Step 4) Press OK to continue\n"
    "Step 5) Remove Jumper after programming begins\n"
    "\n"
    "NOTE - EEProm values are not modified by Firmware Update";
inline constexpr const char* kUnableToStartThread = "Unable to start thread";
inline constexpr const char* kFirmwareUpdateSuccessful = "Firmware Update Successful";
inline constexpr const char* kUpdateCancelled = "Update Cancelled";
// The whole file went out but the bootloader never reported the end of programming.
inline constexpr const char* kEndNotConfirmed =
    "Upload Failed - The board did not confirm the end of programming\n"
    "The whole file was sent; ensure it is the complete program file for this board";
inline constexpr const char* kLastLineUnended = "\nThe file's last line has no line end";

}  // namespace vantrel::texts
