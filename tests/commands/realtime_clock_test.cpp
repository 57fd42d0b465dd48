#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>

#include "scripted_board.h"
#include "zone_guard.h"
#include "vantrel/commands/realtime_clock_console.h"
#include "vantrel/config/message_texts.h"

namespace vantrel {
namespace {

using testing_support::RecordingMessages;
using testing_support::RecordingView;
using testing_support::ScriptedBoard;
using Bytes = std::vector<uint8_t>;

using testing_support::ZoneGuard;

class Clock : public testing::Test {
protected:
    RealtimeClockConsole MakeConsole() {
        RealtimeClockConsole console({board, commands, busy, messages, polling, nullptr});
        console.SetView(&view);
        return console;
    }
    static void SetRow(RealtimeClockConsole::TimeRow& row, int day, int month, int year, const char* hour,
                       const char* minute, const char* second) {
        row = {year, month, day, hour, minute, second};
    }
    static std::string Shown(const RealtimeClockConsole::TimeRow& row) {
        char text[64];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %s:%s:%s", row.day, row.month, row.year, row.hour.c_str(),
                      row.minute.c_str(), row.second.c_str());
        return text;
    }

    ScriptedBoard board;
    BoardCommandTable commands;
    int32_t busy = 0;
    RecordingMessages messages;
    int32_t polling = 0;
    RecordingView view;
};

TEST_F(Clock, ZoneOffsetComesFromTheZoneSetting) {
    {
        ZoneGuard zone("PST8");
        EXPECT_EQ(ZoneOffsetWest(), 28800);
    }
    {
        ZoneGuard zone("UTC0");
        EXPECT_EQ(ZoneOffsetWest(), 0);
    }
    {
        // Standard time, also in summer.
        ZoneGuard zone("PST8PDT,M3.2.0,M11.1.0");
        EXPECT_EQ(ZoneOffsetWest(), 28800);
    }
}

TEST_F(Clock, WriteConvertsLocalTimesToBoardCounts) {
    ZoneGuard zone("PST8");
    const struct {
        int day, month, year;
        const char* hour;
        int32_t high, low;
    } rows[] = {
        {31, 12, 2000, "16", 0x0000, 0x0000},
        {1, 1, 2001, "00", 0x0000, 0x7080},
        {1, 1, 2001, "24", 0x0001, 0xC200},  // hours out of range roll over into the next day
    };
    for (const auto& row : rows) {
        RealtimeClockConsole console = MakeConsole();
        board.calls.clear();
        SetRow(console.rows[RealtimeClockConsole::kCurrentLocal], row.day, row.month, row.year, row.hour, "00", "00");
        console.delayText = "300";
        ASSERT_EQ(console.WritePass(), 0) << row.hour;
        ASSERT_EQ(board.calls.size(), 8u);
        EXPECT_EQ(board.Commands(), (Bytes{0xA0, 0xA1, 0xB1, 0xB0, 0xB3, 0xB2, 0xB5, 0xB4}));
        EXPECT_EQ(board.calls[0].word, 0x1EE);
        EXPECT_EQ(board.calls[1].word, 300);
        EXPECT_EQ(board.calls[2].word, row.high) << row.day << " " << row.hour;
        EXPECT_EQ(board.calls[3].word, row.low) << row.day << " " << row.hour;
        for (const auto& call : board.calls) EXPECT_TRUE(call.write);
        EXPECT_EQ(busy, 0);
    }
    // The UTC row shows the committed time plus Z.
    RealtimeClockConsole console = MakeConsole();
    SetRow(console.rows[RealtimeClockConsole::kCurrentLocal], 1, 1, 2001, "00", "00", "00");
    ASSERT_TRUE(console.Commit());
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kCurrentUtc]), "01/01/2001 08:00:00");
}

TEST_F(Clock, ReadShowsBoardCountsAsLocalAndUtcTimes) {
    ZoneGuard zone("UTC0");
    RealtimeClockConsole console = MakeConsole();
    console.rtcEnable = 1;
    board.registers = {{0xA1, 120}, {0xB1, 0}, {0xB0, 3600}, {0xB3, 0x0001}, {0xB2, 0x5180}, {0xB5, 0}, {0xB4, 0}};
    EXPECT_EQ(console.ReadPass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0xA0, 0xA1, 0xB1, 0xB0, 0xB3, 0xB2, 0xB5, 0xB4}));
    EXPECT_TRUE(board.calls[0].write);
    EXPECT_EQ(board.calls[0].word, 0x1EE);
    EXPECT_EQ(console.store.current, 3600u);
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kCurrentLocal]), "01/01/2001 09:00:00");
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kCurrentUtc]), "01/01/2001 09:00:00");
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kStartup]), "02/01/2001 08:00:00");
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kShutdown]), "01/01/2001 08:00:00");
    EXPECT_EQ(console.delayText, "120");
    EXPECT_EQ(view.steps, 4);
    EXPECT_EQ(busy, 0);

    {
        ZoneGuard pacific("PST8");
        RealtimeClockConsole west = MakeConsole();
        west.rtcEnable = 1;
        EXPECT_EQ(west.ReadPass(), 0);
        // With Z = 28800 the count is seconds since 1 January 2001, 00:00 UTC.
        EXPECT_EQ(Shown(west.rows[RealtimeClockConsole::kCurrentLocal]), "31/12/2000 17:00:00");
        EXPECT_EQ(Shown(west.rows[RealtimeClockConsole::kCurrentUtc]), "01/01/2001 01:00:00");
    }
}

TEST_F(Clock, WithoutTheRtcEnableFlagReadLeavesTheCurrentCount) {
    ZoneGuard zone("UTC0");
    RealtimeClockConsole console = MakeConsole();
    console.store.current = 77;
    board.registers = {{0xB0, 3600}};
    EXPECT_EQ(console.ReadPass(), 0);
    EXPECT_EQ(board.Commands(), (Bytes{0xA0, 0xA1, 0xB3, 0xB2, 0xB5, 0xB4}));
    EXPECT_EQ(console.store.current, 77u);

    console.OnShown(std::time(nullptr));
    EXPECT_EQ(console.rtcEnable, 1);
    EXPECT_EQ(Shown(console.rows[RealtimeClockConsole::kStartup]), "02/01/2001 00:00:00");
}

TEST_F(Clock, FailuresStopThePass) {
    ZoneGuard zone("UTC0");
    const struct {
        std::size_t failing;
        int result;
        std::size_t sent;
        int outcome;
    } rows[] = {
        {0, 2, 1, 1},  // the address transaction: any failure stops
        {1, 3, 2, 1},  // the delay
        {2, 1, 3, 1},  // a clock word: only result 1 stops
        {3, 2, 8, 0},
    };
    for (const auto& row : rows) {
        RealtimeClockConsole console = MakeConsole();
        console.rtcEnable = 1;
        board.calls.clear();
        messages.shown.clear();
        board.result = [&row](std::size_t n) { return n == row.failing ? row.result : 0; };
        EXPECT_EQ(console.ReadPass(), row.outcome) << row.failing;
        EXPECT_EQ(board.calls.size(), row.sent) << row.failing;
        EXPECT_EQ(messages.shown.empty(), row.outcome == 0) << row.failing;
        if (row.outcome != 0) {
            EXPECT_EQ(messages.shown[0], texts::kUploadFailed);
        }
        EXPECT_EQ(busy, 0);
    }
}

TEST_F(Clock, RefusedEntriesSendNothing) {
    ZoneGuard zone("UTC0");
    RealtimeClockConsole console = MakeConsole();
    console.store.delay = 5;
    const struct {
        const char* hour;
        const char* delay;
        const char* message;
    } rows[] = {
        {"123", "0", "Please enter no more than 2 characters."},
        {"ab", "0", "Please enter an integer."},
        {"10", "65536", "Please enter an integer between 0 and 65535."},
    };
    for (const auto& row : rows) {
        messages.shown.clear();
        console.rows[RealtimeClockConsole::kStartup].hour = row.hour;
        console.delayText = row.delay;
        EXPECT_EQ(console.WritePass(), 1);
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
    }
    EXPECT_TRUE(board.calls.empty());
    EXPECT_EQ(console.store.delay, 5);
}

TEST_F(Clock, CountsThatAreNoDateAreReported) {
    ZoneGuard zone("UTC0");
    RealtimeClockConsole console = MakeConsole();
    console.zoneWest = int64_t{1} << 40;
    console.ShowStore();
    EXPECT_EQ(messages.shown, std::vector<std::string>{kDateOutOfRange});
}

}  // namespace
}  // namespace vantrel
