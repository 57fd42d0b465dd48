#include "file_commands.h"

#include "editor_hooks.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/profile_files.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

void FileCommands::Open() {
    const auto path = prompter_.OpenFile(kOpenFilter, kOpenDefaultExtension);
    if (!path) return;
    OpenProfile(record_, *path);
    editors_.ReloadFromRecord();
}

void FileCommands::Save() {
    if (record_.fileTitle == texts::kUntitled) {
        const auto path = prompter_.SaveFile(kSaveFilter, kSaveDefaultExtension);
        if (!path) return;
        SetFileIdentity(record_, *path);
    }
    SaveProfile(record_);
}

void FileCommands::SaveAs() {
    const auto path = prompter_.SaveFile(kSaveFilter, kSaveDefaultExtension);
    if (!path) return;
    SaveProfileAs(record_, *path);
}

}  // namespace vantrel
