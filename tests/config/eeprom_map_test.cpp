#include <gtest/gtest.h>

#include <set>

#include "vantrel/config/board_command_table.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_map.h"

namespace vantrel {
namespace {

TEST(EepromMap, CoversEveryFieldOnceInImageOrder) {
    const auto& map = EepromMap();
    // 4 cycles of 16, 14 setpoints, 16 slots of 3, 8 extra words.
    ASSERT_EQ(map.size(), 4u * 16 + 14 + 16 * 3 + 8);
    EXPECT_EQ(map.front().offset, 0x00);
    EXPECT_EQ(map[64].offset, 0x80);
    EXPECT_EQ(map[64 + 13].offset, 0x9E);  // after 0x80..0x95
    EXPECT_EQ(map[64 + 14].offset, 0xA0);  // the slots
    const uint8_t extras[] = {0xE6, 0xE8, 0xEA, 0xEC, 0xF8, 0xFA, 0xFC, 0xFE};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(map[map.size() - 8 + i].offset, extras[i]);

    std::set<std::pair<int, int>> seen;
    for (const FieldDescriptor& field : map) {
        EXPECT_TRUE(seen.insert({static_cast<int>(field.area), field.offset}).second) << int(field.offset);
        EXPECT_NE(field.locate, nullptr);
        EXPECT_NE(field.locateDirection, nullptr);
    }
}

TEST(EepromMap, NoFieldCoversTheUnusedSetpointBytes) {
    for (const FieldDescriptor& field : EepromMap()) {
        for (int byte = field.offset; byte < field.offset + field.Width(); ++byte) {
            EXPECT_FALSE(byte >= 0x96 && byte <= 0x9D) << byte;
        }
    }
}

TEST(EepromMap, CycleFieldsSitAtTheirBlockOffsets) {
    const struct {
        int cycle, field, offset;
        FieldKind kind;
    } rows[] = {
        {0, 0, 0x00, FieldKind::Integer}, {0, 1, 0x02, FieldKind::Integer}, {0, 2, 0x04, FieldKind::Plain},
        {1, 3, 0x26, FieldKind::Plain},   {2, 13, 0x5A, FieldKind::Tenths}, {3, 15, 0x7E, FieldKind::Plain},
    };
    for (const auto& row : rows) {
        const FieldDescriptor& field = CycleField(row.cycle, row.field);
        EXPECT_EQ(field.offset, row.offset);
        EXPECT_EQ(field.kind, row.kind);
        EXPECT_EQ(field.index, row.cycle);
        EXPECT_EQ(field.item, row.field);
    }
}

TEST(EepromMap, ResetFillsTheAddressTables) {
    ConfigFields fields;
    fields.ResetFields();
    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(fields.cycles[k].addresses[i], 0x20 * k + 2 * i);
    }
    const std::array<uint8_t, 14> setpoints = {0x80, 0x9E, 0x82, 0x84, 0x86, 0x88, 0x89,
                                               0x8A, 0x8C, 0x8E, 0x90, 0x91, 0x92, 0x94};
    EXPECT_EQ(fields.setpointAddresses, setpoints);
    for (std::size_t s = 0; s < 16; ++s) {
        EXPECT_EQ(fields.slots[s].addresses, (std::array<uint8_t, 3>{uint8_t(0xA0 + 6 * s), uint8_t(0xA2 + 6 * s),
                                                                     uint8_t(0xA4 + 6 * s)}));
    }
    EXPECT_EQ(fields.chargeCycleCount, 1);
}

TEST(BoardCommandTable, StartValues) {
    const BoardCommandTable table;
    const struct {
        int entry;
        uint8_t value;
    } rows[] = {
        {1, 0x12},  {2, 0x13},  {3, 0x12},  {4, 0x10},  {6, 0x08},  {9, 0x0B},  {10, 0xFC}, {11, 0xFA},
        {12, 0x11}, {13, 0x12}, {19, 0x3F}, {20, 0x80}, {35, 0x8F}, {36, 0x90}, {44, 0x98}, {45, 0xA0},
        {46, 0xA1}, {47, 0x99}, {49, 0x9B}, {50, 0xB0}, {55, 0xB5}, {56, 0x9C}, {58, 0x9E}, {59, 0xEE},
        {60, 0xEC}, {61, 0xEA}, {62, 0xFE}, {63, 0xF8}, {64, 0xA5}, {65, 0xA6}, {66, 0x9A}, {67, 0x9B},
        {68, 0x95}, {69, 0x9A}, {70, 0x9C}, {71, 0xE6}, {72, 0xE8},
    };
    for (const auto& row : rows) EXPECT_EQ(table[row.entry], row.value) << "entry " << row.entry;
    EXPECT_EQ(table.consoleCommands.front(), 0xB0);
    EXPECT_EQ(table.consoleCommands.back(), 0xBA);
    EXPECT_EQ(table.memoryCommands, (std::array<uint8_t, 2>{0xA2, 0xA3}));
}

TEST(BoardCommandTable, ExtraWordOffsetsNameMapFields) {
    using T = BoardCommandTable;
    const BoardCommandTable table;
    for (int entry : {T::kRemainingCapacityOffset, T::kMaxBatteryCapacityOffset, T::kAlarmStartupDelayOffset,
                      T::kAlarmShutdownDelayOffset, T::kTimeToRechargeOffset, T::kSdStartupDelayOffset,
                      T::kStatusShutDownOffset, T::kStatusStartUpOffset}) {
        EXPECT_NE(FindField(FieldArea::Extra, table[entry]), nullptr) << "entry " << entry;
    }
}

}  // namespace
}  // namespace vantrel
