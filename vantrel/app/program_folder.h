#pragma once
#include <string>

namespace vantrel {

inline constexpr const char* kWizardProgramName = "orvik";
inline constexpr const char* kScratchProfileName = "working.psd";
// Below the user's home folder: where the scratch profile goes when the user
// may not write into the program folder (an installed package). Orvik uses the
// same rule for the working.psd it writes, so the two programs meet there.
inline constexpr const char* kUserScratchFolder = ".local/state/ixen";

// The folder of the running program file (empty when the system cannot tell).
std::string ProgramFolder();

// The folder that holds working.psd: the program folder unless it is a folder the
// user may not write to; then home + "/.local/state/ixen" (created when missing). An empty
// home is taken from the system's user database.
std::string ScratchFolder(const std::string& programFolder, std::string home = {});

}  // namespace vantrel
