#pragma once
#include <string>

#include "orvik/definition/reporter.h"
#include "orvik/image/profile_reader.h"
#include "orvik/eval/values.h"

namespace orvik {

inline constexpr const char* kWorkingProfileName = "working.psd";
inline constexpr const char* kProfileFilterDescription = "Profile Setup Data (*.psd)";
inline constexpr const char* kProfileFilterPattern = "*.psd";
inline constexpr const char* kLoadedCaption = "Loaded Existing Profile:";

// The folder part of a file name: the text before its last path separator, or
// the whole text when it has none.
std::string FolderOf(const std::string& path);

// Below the user's home folder: where working.psd goes when the user may not
// write into the program folder (an installed package). Vantrel uses the same
// rule, so the two programs meet there.
inline constexpr const char* kUserScratchFolder = ".local/state/ixen";
// Where an installed wizard's definition lies, relative to its program folder.
inline constexpr const char* kSharedDefinitionFolder = "../share/orvik";

// The folder that holds working.psd: the program folder unless it is a folder the
// user may not write to; then home + "/.local/state/ixen" (created when missing). An empty
// home is taken from the system's user database.
std::string ScratchFolder(const std::string& programFolder, std::string home = {});

// working.psd in the scratch folder of the given program folder.
std::string WorkingProfilePath(const std::string& programFolder);

// Saves the profile: computes the memory map from the values, then writes the
// profile to location (when one is given) and again to working.psd in the
// program's folder. Evaluator failures are reported under "Evaluation Error:"
// and the files are written regardless. Returns what could not be written
// (each path with the system's reason), empty when every file was written.
std::string SaveProfiles(TMemMap& memory, const TValMap& values, const std::string& location,
                         const std::string& programFolder, IReporter& reporter);

// Loads a profile into the memory map and, when it was read, recomputes the
// values from it. A read failure leaves the values as they were.
ProfileReadResult LoadProfile(ProfileReader& reader, const std::string& location, TMemMap& memory,
                              TValMap& values, IReporter& reporter);

std::string LoadedMessage(const std::string& location);

// Where the wizard looks for its definition, for a message saying it found none.
std::string DefinitionSearchNote(const std::string& programFolder);

// The definition the wizard reads: profile.xml in the current folder, else the
// one beside the program, else the one installed in ../share/orvik from it.
std::string FindDefinitionFile(const std::string& programFolder);

}  // namespace orvik
