#include <gtest/gtest.h>

#include <sstream>

#include "distinct_fields.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/field_listing.h"

namespace vantrel {
namespace {

using testing_support::DefaultFields;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(FieldListing, LabelsFollowTheFirmwareType) {
    const FieldDescriptor& down = *FindField(FieldArea::Setpoint, 0x82);
    const FieldDescriptor& up = *FindField(FieldArea::Setpoint, 0x84);
    const FieldDescriptor& counter = SlotField(8, 0);
    const struct {
        FirmwareType firmware;
        std::string downLabel, downUnit, upUnit, counterLabel;
    } rows[] = {
        {FirmwareType::Standard, "shut down delay in turning off power supply outputs", "s", "s", "slot 8 word 0"},
        {FirmwareType::UPS, "minimum battery operating voltage", "mV", "10 mW", "main power shut down debounce counter"},
        {FirmwareType::UPS18, "minimum battery operating voltage", "mV", "10 mW", "main power shut down debounce counter"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FieldLabel(down, row.firmware), row.downLabel);
        EXPECT_EQ(FieldUnit(down, row.firmware), row.downUnit);
        EXPECT_EQ(FieldUnit(up, row.firmware), row.upUnit);
        EXPECT_EQ(FieldLabel(counter, row.firmware), row.counterLabel);
    }
    EXPECT_EQ(FieldLabel(SlotField(11, 1), FirmwareType::UPS), "battery low shut down counter");
    EXPECT_EQ(FieldLabel(SlotField(11, 2), FirmwareType::UPS), "slot 11 word 2");
}

TEST(FieldListing, ValuesShowAsTheEepromHoldsThem) {
    ConfigFields fields = DefaultFields();
    fields.cycles[0].maxTemperatureRate = 25.37;
    fields.cycles[0].maxChargingVoltage = 14400.9;
    fields.chargerFlags = 0x00C3;
    fields.slots[8].words[0] = 30;
    const struct {
        const FieldDescriptor& field;
        FirmwareType firmware;
        std::string text;
    } rows[] = {
        {CycleField(0, 13), FirmwareType::Standard, "25.3 0.1 K/min"},
        {CycleField(0, 3), FirmwareType::Standard, "14400 mV"},
        {*FindField(FieldArea::Setpoint, 0x80), FirmwareType::UPS18, "0x00C3"},
        {*FindField(FieldArea::Setpoint, 0x89), FirmwareType::Standard, "1"},
        {SlotField(8, 0), FirmwareType::Standard, "0x001E"},
        {SlotField(8, 0), FirmwareType::UPS, "30 s"},
    };
    for (const auto& row : rows) EXPECT_EQ(FieldValueText(row.field, fields, row.firmware), row.text);
}

TEST(FieldListing, OneLinePerFieldWithItsOffset) {
    const std::vector<std::string> lines = Lines(FieldListing(DefaultFields(), FirmwareType::UPS18));
    ASSERT_EQ(lines.size(), EepromMap().size());
    EXPECT_EQ(lines[0].substr(0, 6), "0x00  ");
    EXPECT_NE(lines[0].find("cycle 1 charge termination enable flags"), std::string::npos);
    EXPECT_EQ(lines.back().substr(0, 6), "0xFE  ");
    EXPECT_NE(lines.back().find("battery time to recharge"), std::string::npos);
    EXPECT_EQ(lines.back().substr(lines.back().size() - 5), "0 min");
}

TEST(FieldListing, DifferencesSideBySide) {
    ConfigFields a = DefaultFields();
    ConfigFields b = DefaultFields();
    EXPECT_EQ(FieldDifferences(a, b, FirmwareType::Standard), "");
    a.cycles[3].maxTrickleTime = 120;
    b.cycles[3].maxTrickleTime = 120.5;  // the same EEPROM word
    b.maxInputPower = 500;
    const std::vector<std::string> lines = Lines(FieldDifferences(a, b, FirmwareType::Standard));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 4), "0x86");
    EXPECT_NE(lines[0].find("0 10 mW"), std::string::npos);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 9), "500 10 mW");
}

}  // namespace
}  // namespace vantrel
