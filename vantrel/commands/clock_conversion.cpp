#include "clock_conversion.h"

#include <ctime>

namespace vantrel {
namespace {

constexpr int kTmYearBase = 1900;
constexpr int kLastShownYear = 9999;

}  // namespace

int64_t ZoneOffsetWest() {
    tzset();
    return static_cast<int64_t>(timezone);
}

uint32_t BoardCountFromCalendar(int64_t calendarTime, int64_t zoneWest) {
    return static_cast<uint32_t>(calendarTime + zoneWest - kBoardClockEpoch);
}

int64_t CalendarFromBoardCount(uint32_t count, int64_t zoneWest) {
    return static_cast<int64_t>(count) - zoneWest + kBoardClockEpoch;
}

std::optional<LocalDateTime> BreakDownLocal(int64_t calendarTime) {
    const auto t = static_cast<std::time_t>(calendarTime);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr) return std::nullopt;
    const int year = parts.tm_year + kTmYearBase;
    if (year < 1 || year > kLastShownYear) return std::nullopt;
    return LocalDateTime{year, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

std::optional<int64_t> CalendarFromLocal(const LocalDateTime& local) {
    std::tm parts{};
    parts.tm_year = local.year - kTmYearBase;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    const std::time_t t = std::mktime(&parts);
    if (t == static_cast<std::time_t>(-1) && !(parts.tm_year == 69 && parts.tm_mon == 11 && parts.tm_mday == 31)) {
        return std::nullopt;
    }
    return static_cast<int64_t>(t);
}

}  // namespace vantrel
