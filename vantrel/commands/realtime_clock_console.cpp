#include "realtime_clock_console.h"

#include <cstdio>

#include "comm_busy.h"
#include "field_rule.h"
#include "vantrel/config/message_texts.h"

namespace vantrel {
namespace {

constexpr int kProgressSteps = 4;
constexpr int kEepromWordBase = 0x100;
constexpr int kClockCurrentLowEntry = 50;  // 0xB0; high word 0xB1 follows, then startup and shutdown
constexpr int kWordBits = 16;
constexpr uint32_t kWordMask = 0xFFFF;
const FieldRule kTimePartRule = {FieldRule::Kind::Integer, -1e9, 1e9, 2};
const FieldRule kDelayRule = FieldRule::Integer(0, 65535);

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02i", value);
    return text;
}

}  // namespace

bool RealtimeClockConsole::ShowTime(Row row, int64_t calendarTime) {
    const auto local = BreakDownLocal(calendarTime);
    if (!local) return false;
    TimeRow& shown = rows[row];
    shown.year = local->year;
    shown.month = local->month;
    shown.day = local->day;
    shown.hour = TwoDigits(local->hour);
    shown.minute = TwoDigits(local->minute);
    shown.second = TwoDigits(local->second);
    return true;
}

void RealtimeClockConsole::OnShown(int64_t now) {
    rtcEnable = 1;
    ShowTime(kCurrentLocal, now);
    ShowTime(kCurrentUtc, now + zoneWest);
    ShowTime(kStartup, kDefaultAlarmTime);
    ShowTime(kShutdown, kDefaultAlarmTime);
    view_->ShowFields();
}

std::optional<int64_t> RealtimeClockConsole::TimeOf(const TimeRow& row, std::string& refusal) const {
    int parts[3] = {};
    const std::string* texts[3] = {&row.hour, &row.minute, &row.second};
    for (int i = 0; i < 3; ++i) {
        const FieldCheck check = CheckField(kTimePartRule, *texts[i]);
        if (check.Refused()) {
            refusal = check.message;
            return std::nullopt;
        }
        parts[i] = static_cast<int>(*check.value);
    }
    const auto t = CalendarFromLocal({row.year, row.month, row.day, parts[0], parts[1], parts[2]});
    if (!t) refusal = kDateOutOfRange;
    return t;
}

bool RealtimeClockConsole::Commit() {
    std::string refusal;
    const FieldCheck delay = CheckField(kDelayRule, delayText);
    const auto current = TimeOf(rows[kCurrentLocal], refusal);
    const auto startup = current ? TimeOf(rows[kStartup], refusal) : std::nullopt;
    const auto shutdown = startup ? TimeOf(rows[kShutdown], refusal) : std::nullopt;
    if (refusal.empty() && delay.Refused()) refusal = delay.message;
    if (!refusal.empty()) {
        env_.prompter.Message(refusal);
        return false;
    }
    ShowTime(kCurrentUtc, *current + zoneWest);
    store.current = BoardCountFromCalendar(*current, zoneWest);
    store.startup = BoardCountFromCalendar(*startup, zoneWest);
    store.shutdown = BoardCountFromCalendar(*shutdown, zoneWest);
    store.delay = static_cast<uint16_t>(*delay.value);
    view_->ShowFields();
    return true;
}

void RealtimeClockConsole::ShowStore() {
    const int64_t startup = CalendarFromBoardCount(store.startup, zoneWest);
    const int64_t shutdown = CalendarFromBoardCount(store.shutdown, zoneWest);
    const int64_t current = CalendarFromBoardCount(store.current, zoneWest);
    bool shown = startup > 0 && shutdown > 0;
    if (shown) {
        // The UTC row is the count read as if the zone were UTC.
        shown = ShowTime(kCurrentUtc, current + zoneWest) && ShowTime(kCurrentLocal, current) &&
                ShowTime(kStartup, startup) && ShowTime(kShutdown, shutdown);
    }
    delayText = std::to_string(store.delay);
    if (!shown) env_.prompter.Message(kDateOutOfRange);
    view_->ShowFields();
}

bool RealtimeClockConsole::BeginPass() {
    if (!ClaimCommBusy(env_.CommBusy, env_.prompter)) return false;
    view_->SetProgressRange(1, kProgressSteps);
    view_->SetProgressPosition(0);
    return true;
}

int RealtimeClockConsole::FailPass() {
    env_.prompter.Message(texts::kUploadFailed);
    env_.CommBusy = 0;
    view_->SetProgressPosition(0);
    return 1;
}

// One count as its high and then its low word; the result of the first
// transaction with result 1, else 0. Words a transaction did not confirm stay as they were.
int RealtimeClockConsole::ClockWords(bool write, int highEntry, int lowEntry, uint32_t& count) {
    IBoardTransactor& board = env_.board;
    const uint8_t address = write ? board.WriteAddress() : board.ReadAddress();
    int32_t high[4] = {static_cast<int32_t>(count >> kWordBits), 0, 0, 0};
    int32_t low[4] = {static_cast<int32_t>(count & kWordMask), 0, 0, 0};
    const int highResult = board.Transact(address, env_.commands[highEntry], high);
    if (highResult == 1) return 1;
    const int lowResult = board.Transact(address, env_.commands[lowEntry], low);
    if (!write) {
        uint32_t read = count;
        if (highResult == 0) read = (read & kWordMask) | (static_cast<uint32_t>(high[0]) & kWordMask) << kWordBits;
        if (lowResult == 0) read = (read & ~kWordMask) | (static_cast<uint32_t>(low[0]) & kWordMask);
        count = read;
    }
    return lowResult == 1 ? 1 : 0;
}

bool RealtimeClockConsole::MoveDelay(bool write) {
    IBoardTransactor& board = env_.board;
    const BoardCommandTable& commands = env_.commands;
    int32_t address[4] = {kEepromWordBase + commands[BoardCommandTable::kRealtimeClockOffset], 0, 0, 0};
    int32_t delay[4] = {store.delay, 0, 0, 0};
    if (board.Transact(board.WriteAddress(), commands[BoardCommandTable::kEepromAddress], address) != 0 ||
        board.Transact(write ? board.WriteAddress() : board.ReadAddress(), commands[BoardCommandTable::kEepromData],
                       delay) != 0) {
        return false;
    }
    if (!write) store.delay = static_cast<uint16_t>(static_cast<uint32_t>(delay[0]) & kWordMask);
    return true;
}

// The delay, then the current (unless a read finds the RTC-enable flag off),
// startup and shutdown counts; the bar advances after each.
int RealtimeClockConsole::RunPass(bool write) {
    if (!BeginPass()) return 1;
    if (!MoveDelay(write)) return FailPass();
    view_->StepProgress();
    uint32_t* counts[3] = {&store.current, &store.startup, &store.shutdown};
    for (int pair = 0; pair < 3; ++pair) {
        const int lowEntry = kClockCurrentLowEntry + 2 * pair;
        const bool skipped = pair == 0 && !write && rtcEnable == 0;
        if (!skipped && ClockWords(write, lowEntry + 1, lowEntry, *counts[pair]) != 0) return FailPass();
        view_->StepProgress();
    }
    view_->SetProgressPosition(0);
    env_.CommBusy = 0;
    return 0;
}

int RealtimeClockConsole::ReadPass() {
    const bool refused = env_.CommBusy != 0;
    const int result = RunPass(false);
    if (!refused) ShowStore();  // also after a failure: what was read is shown
    return result;
}

int RealtimeClockConsole::WritePass() {
    if (!Commit()) return 1;
    return WriteStore();
}

int RealtimeClockConsole::WriteStore() { return RunPass(true); }

}  // namespace vantrel
