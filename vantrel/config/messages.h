#pragma once
#include <string>

namespace vantrel {

// Where the configuration model shows its texts and asks its questions. The Qt
// prompter implements it with message boxes; tests and the command line script it.
class IMessages {
public:
    virtual ~IMessages() = default;
    virtual void Show(const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Ask(const std::string& question, const std::string& caption) = 0;
};

// Drops every text and answers No: for records that nobody watches.
class SilentMessages : public IMessages {
public:
    void Show(const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

}  // namespace vantrel
