#include "profile_files.h"

#include "config_data.h"
#include "file_names.h"
#include "message_texts.h"

namespace vantrel {

void SetFileIdentity(CConfigData& record, const std::string& path) {
    record.filePath = path;
    record.fileName = FileNameOf(path);
    record.fileExtension = LowerExtension(path);
    record.fileTitle = TitleOf(path);
}

bool OpenProfile(CConfigData& record, const std::string& path) {
    SetFileIdentity(record, path);
    if (record.fileExtension != "hex" && record.fileExtension != "psd") {
        record.Prompter().Message(texts::kOnlyHexOrPsd);
        return false;
    }
    const bool read = record.ReadWriteProfile(record.filePath, 0) == 0;
    if (!read) record.fileTitle = texts::kUntitled;
    record.loaded = 1;
    return read;
}

int SaveProfile(CConfigData& record) {
    if (record.fileExtension != "psd") {
        record.Prompter().Message(texts::kMustSaveAsPsd);
        return 1;
    }
    return record.ReadWriteProfile(record.filePath, 1);
}

int SaveProfileAs(CConfigData& record, const std::string& path) {
    SetFileIdentity(record, path);
    if (!record.fileExtension.empty() && record.fileExtension != "psd") {
        record.Prompter().Message(texts::kMustSaveAsPsd);
        return 1;
    }
    return record.ReadWriteProfile(record.filePath, 1);
}

}  // namespace vantrel
