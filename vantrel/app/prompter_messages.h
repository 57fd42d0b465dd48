#pragma once
#include "prompter.h"
#include "vantrel/config/messages.h"

namespace vantrel {

// The configuration record's texts and questions, shown through the prompter.
class PrompterMessages : public IMessages {
public:
    explicit PrompterMessages(IPrompter& prompter) : prompter_(prompter) {}
    void Show(const std::string& text) override { prompter_.Message(text); }
    bool Ask(const std::string& question, const std::string& caption) override {
        return prompter_.AskYesNo(question, caption);
    }

private:
    IPrompter& prompter_;
};

}  // namespace vantrel
