#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "clock_conversion.h"
#include "console_environment.h"

namespace vantrel {

inline constexpr const char* kDateOutOfRange = "Date out of range";

// The Realtime Clock console: the board's current, startup and shutdown times
// and the shutdown delay, converted between board counts and local dates.
class RealtimeClockConsole {
public:
    enum Row { kCurrentLocal, kCurrentUtc, kStartup, kShutdown, kRowCount };

    // A row: the date picker's date and the hour, minute and second texts.
    struct TimeRow {
        int year = 2001;
        int month = 1;
        int day = 1;
        std::string hour = "00";
        std::string minute = "00";
        std::string second = "00";
    };

    // The store, kept for the whole run; Update All writes it.
    struct Store {
        uint32_t current = 0;
        uint32_t startup = 0;
        uint32_t shutdown = 0;
        uint16_t delay = 0;
    };

    static constexpr int64_t kDefaultAlarmTime = 978393600;  // 2 January 2001, 00:00 UTC

    explicit RealtimeClockConsole(ConsoleEnvironment environment) : env_(environment) {}

    void SetView(IConsoleView* view) { view_ = view != nullptr ? view : &noView_; }

    // The window is shown: the RTC-enable flag goes on, the current rows show now,
    // the startup and shutdown rows 2 January 2001.
    void OnShown(int64_t now);
    // Fields to store (the first step of Write); false when a field was refused.
    bool Commit();
    // Store to fields, after a read.
    void ShowStore();

    // The passes: 0, or 1 when refused or stopped.
    int ReadPass();
    // Write: Commit, then the stored values to the board.
    int WritePass();
    // The stored values to the board, as Update All sends them.
    int WriteStore();

    std::array<TimeRow, kRowCount> rows;
    std::string delayText = "0";
    Store store;
    // Set when the window is shown; the Charging Flags editor sets and clears it with " Enable RTC".
    int32_t rtcEnable = 0;
    // The zone offset west of UTC; taken from the platform when the console is built.
    int64_t zoneWest = ZoneOffsetWest();

private:
    // Shows a calendar time in a row; false when it is no date.
    bool ShowTime(Row row, int64_t calendarTime);
    std::optional<int64_t> TimeOf(const TimeRow& row, std::string& refusal) const;
    bool BeginPass();
    int FailPass();
    int ClockWords(bool write, int highEntry, int lowEntry, uint32_t& count);
    // The shutdown delay's EEPROM word; false when a transaction did not succeed.
    bool MoveDelay(bool write);
    int RunPass(bool write);

    ConsoleEnvironment env_;
    IConsoleView noView_;
    IConsoleView* view_ = &noView_;
};

}  // namespace vantrel
