#pragma once
#include <string>

namespace vantrel {

class CConfigData;
class EditorHooks;
class IPrompter;

inline constexpr const char* kOpenFilter = "PSD Files (*.psd)|*.psd|HEX Files (*.hex)|*.hex|All Files (*.*)|*.*|";
inline constexpr const char* kOpenDefaultExtension = "hex";
inline constexpr const char* kSaveFilter = "PSD Files (*.psd)|*.psd|All Files (*.*)|*.*|";
inline constexpr const char* kSaveDefaultExtension = "psd";

// File Open, Save and Save As: the file dialogs, then the record's profile operations.
class FileCommands {
public:
    FileCommands(CConfigData& record, IPrompter& prompter, const EditorHooks& editors)
        : record_(record), prompter_(prompter), editors_(editors) {}

    void Open();
    void Save();
    void SaveAs();

private:
    CConfigData& record_;
    IPrompter& prompter_;
    const EditorHooks& editors_;
};

}  // namespace vantrel
