#include <gtest/gtest.h>

#include "distinct_fields.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/image_conversion.h"

namespace vantrel {
namespace {

using testing_support::DefaultFields;

TEST(ImageConversion, DefaultRecordImage) {
    EepromImage image;
    ToImage(DefaultFields(), image);
    for (std::size_t offset = 0; offset < 256; ++offset) {
        const uint8_t expected = offset == 0x89 ? 0x01 : (offset >= 0x96 && offset <= 0x9D ? 0xFF : 0x00);
        EXPECT_EQ(image[offset], expected) << "offset " << offset;
    }
}

TEST(ImageConversion, FieldsGoLowByteFirst) {
    ConfigFields fields = DefaultFields();
    fields.cycles[1].maxTemperatureRate = 25.37;  // 0x3A
    fields.chargerFlags = 0xBEEF;                 // 0x80
    fields.slots[3].words[1] = 0x1234;            // 0xB4
    fields.sdStartupDelay = 0x0102;               // 0xF8
    EepromImage image;
    ToImage(fields, image);
    EXPECT_EQ(image[0x3A], 0xFD);
    EXPECT_EQ(image[0x3B], 0x00);
    EXPECT_EQ(image[0x80], 0xEF);
    EXPECT_EQ(image[0x81], 0xBE);
    EXPECT_EQ(image[0xB4], 0x34);
    EXPECT_EQ(image[0xB5], 0x12);
    EXPECT_EQ(image[0xF8], 0x02);
    EXPECT_EQ(image[0xF9], 0x01);
}

TEST(ImageConversion, ExtraWordsWinOverTheSlotsTheyShare) {
    ConfigFields fields = DefaultFields();
    fields.slots[11].words[2] = 0x1111;  // 0xE6
    fields.statusShutDownCounter = 0x2222;
    fields.slots[15].words[0] = 0x3333;  // 0xFA
    fields.maxBatteryCapacity = 0x4444;
    EepromImage image;
    ToImage(fields, image);
    EXPECT_EQ(image[0xE6] | image[0xE7] << 8, 0x2222);
    EXPECT_EQ(image[0xFA] | image[0xFB] << 8, 0x4444);
}

TEST(ImageConversion, SharedBytesGoToBothItems) {
    EepromImage image;
    ToImage(DefaultFields(), image);
    image[0xE6] = 0x34;
    image[0xE7] = 0x12;
    ConfigFields fields = DefaultFields();
    FromImage(image, fields);
    EXPECT_EQ(fields.slots[11].words[2], 0x1234);
    EXPECT_EQ(fields.statusShutDownCounter, 0x1234);
}

TEST(ImageConversion, OutOfRangeBytesAreCorrected) {
    const struct {
        uint8_t cycles, primary, secondary;
        int expectCycles, expectPrimary, expectSecondary;
    } rows[] = {
        {0x07, 0x11, 0x10, 1, 0, 16},
        {0x00, 0x00, 0xFF, 1, 0, 0},
        {0x04, 0x10, 0x11, 4, 16, 0},
    };
    for (const auto& row : rows) {
        EepromImage image;
        ToImage(DefaultFields(), image);
        image[0x89] = row.cycles;
        image[0x90] = row.primary;
        image[0x91] = row.secondary;
        ConfigFields fields = DefaultFields();
        FromImage(image, fields);
        EXPECT_EQ(fields.chargeCycleCount, row.expectCycles);
        EXPECT_EQ(fields.primaryTempDevice, row.expectPrimary);
        EXPECT_EQ(fields.secondaryTempDevice, row.expectSecondary);
    }
}

TEST(ImageConversion, TenthsReadBackAsTenths) {
    ConfigFields fields = DefaultFields();
    fields.cycles[0].maxTemperatureRate = 25.37;
    fields.cycles[0].maxChargingVoltage = 12.99;
    EepromImage image;
    ToImage(fields, image);
    ConfigFields back = DefaultFields();
    FromImage(image, back);
    EXPECT_DOUBLE_EQ(back.cycles[0].maxTemperatureRate, 25.3);
    EXPECT_DOUBLE_EQ(back.cycles[0].maxChargingVoltage, 12);
}

TEST(ImageConversion, EveryImageByteSurvivesARoundTrip) {
    // Every byte a field owns, except where the corrections apply.
    EepromImage image;
    for (std::size_t i = 0; i < 256; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    image[0x89] = 2;
    image[0x90] = 5;
    image[0x91] = 6;
    ConfigFields fields = DefaultFields();
    FromImage(image, fields);
    EepromImage back;
    ToImage(fields, back);
    for (std::size_t i = 0; i < 256; ++i) {
        if (i >= 0x96 && i <= 0x9D) {
            EXPECT_EQ(back[i], 0xFF);
        } else {
            EXPECT_EQ(back[i], image[i]) << "offset " << i;
        }
    }
}

}  // namespace
}  // namespace vantrel
