#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "orvik/wizard/window/prompter.h"

namespace orvik::test {

// Records every message and answers the file dialogs from a script; an empty
// script answers as a cancelled dialog.
class ScriptedPrompter final : public IPrompter {
public:
    struct Message {
        std::string caption;
        std::string text;
        bool owned = true;
    };

    void Report(const std::string& caption, const std::string& text) override {
        messages.push_back({caption, text, true});
    }
    void ReportUnowned(const std::string& caption, const std::string& text) override {
        messages.push_back({caption, text, false});
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Next(openAnswers);
    }
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Next(saveAnswers);
    }

    std::vector<Message> messages;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace orvik::test
