#pragma once
#include <optional>
#include <string>

namespace vantrel {

// Caption of the utility's own message boxes.
inline constexpr const char* kAppCaption = "Vantrel";

// Every message box, question and file dialog of the utility goes through this,
// so that dialogs and procedures can run offscreen with scripted answers.
//
// File filters use the pipe form "Name (*.ext)|*.ext|...|"; the default
// extension (without the dot) is appended to a typed name that has none.
class IPrompter {
public:
    virtual ~IPrompter() = default;
    virtual void Message(const std::string& text, const std::string& caption = kAppCaption) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& caption = kAppCaption) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& filter, const std::string& defaultExtension) = 0;
    virtual std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension) = 0;
};

}  // namespace vantrel
