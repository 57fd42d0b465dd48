#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "spreadsheet_export.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

class CommandConsoles;

// What polling runs with; everything here outlives it.
struct PollingEnvironment {
    CommandConsoles& consoles;
    int32_t& CommBusy;
    int32_t& pollingRate;    // ticks between polls, 1..60
    int32_t& pollingActive;  // 1 while polling runs
    IPrompter& prompter;
    std::function<std::time_t()> clock;  // calendar time in whole seconds
    SpreadsheetLauncher spreadsheet;     // empty: there is no spreadsheet application
    // Builds the console windows that do not exist yet, without showing them.
    std::function<void()> createConsoleWindows;
};

// What the "Polling Control" dialog shows. Every call is optional.
class IPollingView {
public:
    virtual ~IPollingView() = default;
    // The fields or the two boxes changed (the graph box turned off, a refused
    // rate put back).
    virtual void ShowFields() {}
    // The two boxes can be clicked, or not while polling runs.
    virtual void ShowBoxesEnabled(bool /*enabled*/) {}
    // A field was refused: the keyboard focus goes back to it.
    virtual void FocusField(int /*row*/) {}
};

// Polling: on every tick of the one-second timer, counted against the rate,
// the SMBus, Temperature and Other consoles' read passes, then one record of
// what their stores hold, to the poll log and the spreadsheet.
class Polling {
public:
    static constexpr const char* kDefaultLogName = "data.txt";
    static constexpr int kMinimumRate = 1;
    static constexpr int kMaximumRate = 60;
    static constexpr int kMaximumNameLength = 80;

    explicit Polling(PollingEnvironment environment);
    ~Polling();  // lets go of the spreadsheet application
    Polling(const Polling&) = delete;
    Polling& operator=(const Polling&) = delete;

    void SetView(IPollingView* view) { view_ = view != nullptr ? view : &noView_; }

    // The dialog's fields and boxes as the user left them.
    std::string nameField = kDefaultLogName;
    std::string rateField = std::to_string(kMinimumRate);
    bool graphBox = false;
    bool logBox = false;

    // Takes the fields: the log name and the polling rate. A refused field
    // shows its message, keeps the old value and returns false.
    bool ValidateFields();
    const std::string& LogName() const { return logName_; }

    bool Active() const { return env_.pollingActive != 0; }
    // The "Start / Stop" button.
    void StartStop();
    // False when polling did not start (the message shown).
    bool Start();
    void Stop();
    // One tick of the timer.
    void Tick();

    int TickCounter() const { return tickCounter_; }
    std::time_t StartTime() const { return startTime_; }
    const SpreadsheetExport& Spreadsheet() const { return spreadsheet_; }

    // Each record as it is taken (its line, with the line end), whether or not
    // a box is on.
    std::function<void(const std::string& record)> onRecord;

private:
    void Poll();
    void TakeRecord();
    void SetBoxesEnabled(bool enabled);
    bool StartSpreadsheet();

    PollingEnvironment env_;
    SpreadsheetExport spreadsheet_;
    std::string logName_ = kDefaultLogName;
    int tickCounter_ = 0;
    std::time_t startTime_ = 0;
    IPollingView noView_;
    IPollingView* view_ = &noView_;
};

}  // namespace vantrel
