#pragma once
#include <string>

namespace vantrel {

class CConfigData;

// The operations behind File Open, Save and Save As; the file dialogs are the
// main window's. Messages go to the record's prompter.

// Stores name, full path, lower-case extension and title of path.
void SetFileIdentity(CConfigData& record, const std::string& path);

// File Open of a confirmed path: only .hex and .psd are read ("File Read
// Error: Only .HEX or .PSD files supported" otherwise); a failed read makes the
// title "Untitled"; after a read the loaded flag is 1. Returns true when the
// record was loaded. The caller reloads the open editors in every case.
bool OpenProfile(CConfigData& record, const std::string& path);

// File Save to the stored identity (the caller asks for a name first while the
// title is "Untitled"): only .psd is written. Returns 0 or 1.
int SaveProfile(CConfigData& record);

// File Save As of a confirmed path: .psd or no extension is written. Returns 0 or 1.
int SaveProfileAs(CConfigData& record, const std::string& path);

}  // namespace vantrel
