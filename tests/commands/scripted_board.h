#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/commands/console_environment.h"

namespace vantrel::testing_support {

// A board of word registers: a read answers the register of its command, a
// write sets it. Results are scripted by transaction number; a transaction with
// a non-zero result changes nothing.
class ScriptedBoard : public IBoardTransactor {
public:
    struct Call {
        bool write;
        uint8_t command;
        int32_t word;  // as sent, or as delivered
    };

    std::map<uint8_t, int32_t> registers;
    std::vector<Call> calls;
    std::function<int(std::size_t n)> result;
    std::function<void()> onTransact;

    int Transact(uint8_t address, uint8_t command, int32_t* data) override {
        if (onTransact) onTransact();
        const bool write = (address & 1) == 0;
        const int r = result ? result(calls.size()) : 0;
        if (r == 0) {
            if (write) registers[command] = data[0];
            else data[0] = registers[command];
        }
        calls.push_back({write, command, data[0]});
        return r;
    }
    uint8_t WriteAddress() const override { return 0x12; }
    uint8_t ReadAddress() const override { return 0x13; }

    std::vector<uint8_t> Commands() const {
        std::vector<uint8_t> sent;
        for (const auto& call : calls) sent.push_back(call.command);
        return sent;
    }
};

// Keeps the texts of the message boxes; answers No, cancels file dialogs.
class RecordingMessages : public IPrompter {
public:
    std::vector<std::string> shown;
    void Message(const std::string& text, const std::string&) override { shown.push_back(text); }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override { return std::nullopt; }
};

// The progress bar and field events a console shows.
class RecordingView : public IConsoleView {
public:
    std::vector<std::string> events;
    int steps = 0;
    int focused = -1;

    void SetProgressRange(int low, int high) override {
        events.push_back("range " + std::to_string(low) + ".." + std::to_string(high));
    }
    void SetProgressPosition(int position) override { events.push_back("position " + std::to_string(position)); }
    void StepProgress() override { ++steps; }
    void FocusField(int line) override { focused = line; }
};

}  // namespace vantrel::testing_support
