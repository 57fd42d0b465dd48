#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/field_codec.h"

namespace vantrel {
namespace {

TEST(FieldCodec, TenthsAreTruncatedAfterRounding) {
    const struct {
        double value;
        uint16_t word;
    } rows[] = {
        {25.37, 253}, {2.3, 23}, {0.7, 7}, {4.35, 43}, {6553.5, 65535}, {0.09, 0}, {12.3, 123},
        {-1.0, 0},    {70000.0, 65535},
    };
    for (const auto& row : rows) EXPECT_EQ(TenthsToWord(row.value), row.word) << row.value;
    EXPECT_EQ(TenthsToWord(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(FieldCodec, BoardValuesAreWrittenBackUnchanged) {
    for (int w = 0; w <= 65535; ++w) ASSERT_EQ(TenthsToWord(w * 0.1), w);
}

TEST(FieldCodec, PlainDoublesAreTruncated) {
    const struct {
        double value;
        uint16_t word;
    } rows[] = {{12.99, 12}, {0.5, 0}, {65535.0, 65535}, {65536.0, 65535}, {-3.0, 0}};
    for (const auto& row : rows) EXPECT_EQ(PlainToWord(row.value), row.word) << row.value;
}

TEST(FieldCodec, EncodesAndDecodesEachKind) {
    ConfigFields fields;
    fields.ResetFields();
    const FieldDescriptor& rate = CycleField(0, 13);
    fields.cycles[0].maxTemperatureRate = 25.37;
    EXPECT_EQ(EncodeField(rate, fields), 253);
    DecodeField(rate, fields, 253);
    EXPECT_DOUBLE_EQ(fields.cycles[0].maxTemperatureRate, 25.3);

    const FieldDescriptor& voltage = CycleField(1, 3);
    fields.cycles[1].maxChargingVoltage = 12.99;
    EXPECT_EQ(EncodeField(voltage, fields), 12);

    const FieldDescriptor& flags = CycleField(2, 0);
    fields.cycles[2].terminationFlags = 0x12345;  // only the low 16 bits are stored
    EXPECT_EQ(EncodeField(flags, fields), 0x2345);

    const FieldDescriptor& counter = *FindField(FieldArea::Extra, 0xE6);
    DecodeField(counter, fields, 0xFFFF);
    EXPECT_EQ(fields.statusShutDownCounter, 0xFFFF);
}

TEST(FieldCodec, BytePairsMoveAsOneWordFirstByteLow) {
    ConfigFields fields;
    fields.ResetFields();
    fields.commTimeout = 0x20;
    fields.chargeCycleCount = 3;
    fields.primaryTempDevice = 5;
    fields.secondaryTempDevice = 9;
    EXPECT_EQ(EncodeTransferWord(*FindField(FieldArea::Setpoint, 0x88), fields), 0x0320);
    EXPECT_EQ(EncodeTransferWord(*FindField(FieldArea::Setpoint, 0x90), fields), 0x0905);
    EXPECT_EQ(EncodeTransferWord(*FindField(FieldArea::Setpoint, 0x8A), fields), 0);
}

TEST(FieldCodec, BoardReadSplitsBytePairs) {
    ConfigFields fields;
    fields.ResetFields();
    DecodeBoardWord(*FindField(FieldArea::Setpoint, 0x90), fields, 0x03FF);
    EXPECT_EQ(fields.primaryTempDevice, -1);
    EXPECT_EQ(fields.secondaryTempDevice, 3);

    DecodeBoardWord(*FindField(FieldArea::Setpoint, 0x88), fields, 0x04FF);
    EXPECT_EQ(fields.commTimeout, 0xFF);  // unsigned
    EXPECT_EQ(fields.chargeCycleCount, 4);

    DecodeBoardWord(*FindField(FieldArea::Setpoint, 0x8A), fields, 2981);
    EXPECT_DOUBLE_EQ(fields.minChargingTemperature, 298.1);
}

}  // namespace
}  // namespace vantrel
