#pragma once
#include <optional>
#include <string>

namespace vantrel {

// Caption of the utility's own message boxes.
inline constexpr const char* kAppCaption = "Vantrel";

// Every message box, question and file dialog of the utility goes through this
// one interface, from the link up to the windows, so that dialogs and procedures
// run offscreen with scripted answers and the command line answers on its own.
//
// File filters use the pipe form "Name (*.ext)|*.ext|...|"; the default
// extension (without the dot) is appended to a typed name that has none.
class IPrompter {
public:
    virtual ~IPrompter() = default;
    virtual void Message(const std::string& text, const std::string& caption = kAppCaption) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption = kAppCaption) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& filter, const std::string& defaultExtension) = 0;
    virtual std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension) = 0;
};

// Drops every message, answers No and cancels every file dialog: for code that
// nobody watches.
class SilentPrompter final : public IPrompter {
public:
    void Message(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override { return std::nullopt; }
};

}  // namespace vantrel
