#pragma once

namespace vantrel::texts {

inline constexpr const char* kPollLogUnavailable = "Error: Unable to open poll data save file";
inline constexpr const char* kSpreadsheetNotStarted = "Couldn't start Excel and get Application object.";
inline constexpr const char* kSpreadsheetVersion = "Excel output only works for Excel 2000";
inline constexpr const char* kSpreadsheetStartError = "Error starting Excel";
inline constexpr const char* kSpreadsheetAutomationError = "Error with Excel Automation";

}  // namespace vantrel::texts
