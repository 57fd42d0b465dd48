#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/config/board_transactor.h"
#include "vantrel/config/eeprom_image.h"
#include "vantrel/config/run_transfer.h"
#include "vantrel/config/update_all.h"
#include "vantrel/link/prompter.h"

namespace vantrel::testing_support {

// An EEPROM behind the address (0xA0) and data (0xA1) commands, with scripted
// transaction results. A transaction with a non-zero result changes nothing.
class FakeBoard : public IBoardTransactor {
public:
    struct Call {
        uint8_t address;
        uint8_t command;
        int32_t data;  // as sent (writes) or as delivered (reads)
    };

    EepromImage eeprom{};
    uint8_t pointer = 0;
    int resets = 0;
    uint8_t writeAddress = 0x12;
    std::vector<Call> calls;
    // The result of transaction number n (0-based); 0 when not set.
    std::function<int(std::size_t n, const Call& call)> result;
    // Runs at every transaction, before it takes effect.
    std::function<void()> onTransact;

    int Transact(uint8_t address, uint8_t command, int32_t* data) override {
        if (onTransact) onTransact();
        const Call call{address, command, data[0]};
        const int r = result ? result(calls.size(), call) : 0;
        calls.push_back(call);
        if (r != 0) return r;
        const bool read = (address & 1) != 0;
        if (command == 0xA0 && !read) pointer = static_cast<uint8_t>(data[0] & 0xFF);
        if (command == 0xA1 && !read) {
            eeprom[pointer] = static_cast<uint8_t>(data[0] & 0xFF);
            eeprom[static_cast<uint8_t>(pointer + 1)] = static_cast<uint8_t>((data[0] >> 8) & 0xFF);
        }
        if (command == 0xA1 && read) {
            data[0] = eeprom[pointer] | eeprom[static_cast<uint8_t>(pointer + 1)] << 8;
            calls.back().data = data[0];
        }
        if (command == 0xA1) pointer = static_cast<uint8_t>(pointer + 2);
        if (command == 0x12 && !read && data[0] == 4) ++resets;
        return 0;
    }
    uint8_t WriteAddress() const override { return writeAddress; }
    uint8_t ReadAddress() const override { return static_cast<uint8_t>(writeAddress | 1); }
    // Every result 2 stands for the board's failure byte 0xFE.
    bool functionFailures = false;
    bool FunctionFailed() const override { return functionFailures; }
};

// Records the texts and questions; answers every question with answer.
class RecordingMessages : public IPrompter {
public:
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    bool answer = false;

    void Message(const std::string& text, const std::string&) override { shown.push_back(text); }
    bool AskYesNo(const std::string& question, const std::string& caption) override {
        asked.push_back(caption + ": " + question);
        return answer;
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override { return std::nullopt; }
};

// Logs what a transfer does to its dialog.
class RecordingProgress {
public:
    std::vector<std::string> events;
    int steps = 0;
    int position = 0;

    void Range(int low, int high) { events.push_back("range " + std::to_string(low) + ".." + std::to_string(high)); }
    void Position(int p) {
        position = p;
        events.push_back("position " + std::to_string(p));
    }
    void Step() { ++steps; }
};

class FakeDialog : public ITransferDialog, public RecordingProgress {
public:
    std::function<void()> onCopy;
    void CopyFieldsToRecord() override {
        events.push_back("copy");
        if (onCopy) onCopy();
    }
    void RefreshFromRecord() override { events.push_back("refresh"); }
    void SetProgressRange(int low, int high) override { Range(low, high); }
    void SetProgressPosition(int p) override { Position(p); }
    void StepProgress() override { Step(); }
};

class FakeUpdateAllHost : public IUpdateAllHost, public RecordingProgress {
public:
    bool upsOpen = false;
    bool consoleOpen = false;

    void SetProgressRange(int low, int high) override { Range(low, high); }
    void SetProgressPosition(int p) override { Position(p); }
    void StepProgress() override { Step(); }
    bool UpsSettingsOpen() override { return upsOpen; }
    void UpsSettingsToRecord() override { events.push_back("ups to record"); }
    void UpsSettingsFromRecord() override { events.push_back("ups from record"); }
    bool ClockOrI2cConsoleOpen() override { return consoleOpen; }
    void ConsoleRead() override { events.push_back("console read"); }
    void ConsoleWrite() override { events.push_back("console write"); }
    void RefreshEditors() override { events.push_back("refresh editors"); }
};

}  // namespace vantrel::testing_support
