#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/link/prompter.h"

// Records every message and answers questions and file dialogs from queues
// (an empty queue answers No or Cancel and counts as an unexpected question).
class ScriptedPrompter : public vantrel::IPrompter {
public:
    struct Shown {
        std::string text;
        std::string caption;
    };
    std::vector<Shown> messages;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> questions;
    std::vector<std::string> openFilters;
    std::vector<std::string> saveFilters;
    std::vector<std::string> defaultExtensions;
    int unexpected = 0;

    void Message(const std::string& text, const std::string& caption) override { messages.push_back({text, caption}); }
    bool AskYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        if (answers.empty()) {
            ++unexpected;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> OpenFile(const std::string& filter, const std::string& ext) override {
        openFilters.push_back(filter);
        defaultExtensions.push_back(ext);
        return Next(openAnswers);
    }
    std::optional<std::string> SaveFile(const std::string& filter, const std::string& ext) override {
        saveFilters.push_back(filter);
        defaultExtensions.push_back(ext);
        return Next(saveAnswers);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

private:
    std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        auto a = queue.front();
        queue.pop_front();
        return a;
    }
};
