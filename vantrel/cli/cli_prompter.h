#pragma once
#include <iosfwd>

#include "vantrel/link/prompter.h"

namespace vantrel::cli {

// The command line's prompter: texts go to standard error, questions are
// answered No (a script asks for what it wants with options such as --reset),
// and there is nobody to choose a file.
class CliPrompter final : public IPrompter {
public:
    explicit CliPrompter(std::ostream& err) : err_(err) {}
    void Message(const std::string& text, const std::string& caption = kAppCaption) override;
    bool AskYesNo(const std::string&, const std::string& = kAppCaption) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

}  // namespace vantrel::cli
