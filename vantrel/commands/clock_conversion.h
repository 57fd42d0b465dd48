#pragma once
#include <cstdint>
#include <optional>

namespace vantrel {

// The board's clock counts seconds as a 32-bit number; the PC's calendar time
// counts seconds since 1 January 1970 UTC. Z is the local zone's standard-time
// offset west of UTC in seconds (28800 for UTC-8).
inline constexpr int64_t kBoardClockEpoch = 978336000;  // 1 January 2001, 08:00:00 UTC

// Z from the platform: the TZ setting and the zone database.
int64_t ZoneOffsetWest();

uint32_t BoardCountFromCalendar(int64_t calendarTime, int64_t zoneWest);
int64_t CalendarFromBoardCount(uint32_t count, int64_t zoneWest);

// A calendar time broken down in local time.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

// Nothing when the time cannot be shown as a date.
std::optional<LocalDateTime> BreakDownLocal(int64_t calendarTime);
// The calendar time of a local date and time; the platform decides daylight
// saving and resolves hours, minutes and seconds out of their ranges.
std::optional<int64_t> CalendarFromLocal(const LocalDateTime& local);

}  // namespace vantrel
