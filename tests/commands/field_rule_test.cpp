#include <gtest/gtest.h>

#include "vantrel/commands/console_definition.h"
#include "vantrel/commands/field_rule.h"
#include "vantrel/commands/value_text.h"

namespace vantrel {
namespace {

TEST(FieldRule, HexEntryFormsAcceptedAndRefused) {
    const struct {
        const char* text;
        int word;  // -1: refused
    } rows[] = {
        {"0x0004", 4}, {"0X0004", 4},   {"x0004", 4},  {"X0004", 4},    {"0004", 4},   {"aBcD", 0xABCD},
        {"0x04", -1},  {"4", -1},       {"0x00004", -1}, {"0x00G4", -1}, {"", -1},      {"y0004", -1},
        {" 0004", -1}, {"0x004 ", -1},  {"-004", -1},  {"0xFFFF", 0xFFFF},
    };
    for (const auto& row : rows) {
        const FieldCheck check = CheckField(FieldRule::HexWord(), row.text);
        if (row.word < 0) {
            EXPECT_TRUE(check.Refused()) << row.text;
            // Texts too long for the field are refused by its length before the hex rule.
            const std::string expected = std::string(row.text).size() > 6
                                             ? "Please enter no more than 6 characters."
                                             : kHexEntryMessage;
            EXPECT_EQ(check.message, expected) << row.text;
        } else {
            ASSERT_FALSE(check.Refused()) << row.text;
            EXPECT_EQ(*check.value, row.word) << row.text;
        }
    }
}

TEST(FieldRule, NumbersAndIntegersWithTheirMessages) {
    const struct {
        FieldRule rule;
        const char* text;
        const char* message;  // empty: accepted
        double value;
    } rows[] = {
        {FieldRule::Number(0, 6553.5), "298.1", "", 298.1},
        {FieldRule::Number(0, 6553.5), "6553.6", "Please enter a number between 0 and 6553.5.", 0},
        {FieldRule::Number(0, 6553.5), "abc", "Please enter a number.", 0},
        {FieldRule::Number(0, 6553.5), "0x10", "Please enter a number.", 0},
        {FieldRule::Number(0, 6553.5), "inf", "Please enter a number.", 0},
        {FieldRule::Integer(-32768, 32767), "-32768", "", -32768},
        {FieldRule::Integer(-32768, 32767), "32768", "Please enter an integer between -32768 and 32767.", 0},
        {FieldRule::Integer(0, 3), "4", "Please enter an integer between 0 and 3.", 0},
        {FieldRule::Integer(0, 3), " 2 ", "", 2},
        {FieldRule::Integer(0, 3), "2.5", "Please enter an integer.", 0},
        {FieldRule::Integer(0, 3), "", "Please enter an integer.", 0},
        {FieldRule::Integer(0, 65535), "99999999999999999999999", "Please enter an integer between 0 and 65535.", 0},
        {FieldRule::Text(8), "123456789", "Please enter no more than 8 characters.", 0},
    };
    for (const auto& row : rows) {
        const FieldCheck check = CheckField(row.rule, row.text);
        EXPECT_EQ(check.message, row.message) << row.text;
        if (row.message[0] == '\0') {
            ASSERT_TRUE(check.value.has_value()) << row.text;
            EXPECT_DOUBLE_EQ(*check.value, row.value) << row.text;
        }
    }
}

TEST(FieldRule, LooseHexKeepsTheValueForWhatIsNotHex) {
    const FieldRule rule = FieldRule::LooseHexWord();
    EXPECT_EQ(*CheckField(rule, "0X00A5").value, 0xA5);
    EXPECT_EQ(*CheckField(rule, "a5").value, 0xA5);
    EXPECT_EQ(*CheckField(rule, "000000").value, 0);
    for (const char* text : {"", "0x", "zz", "0x10000", "12 34"}) {
        const FieldCheck check = CheckField(rule, text);
        EXPECT_FALSE(check.Refused()) << text;
        EXPECT_FALSE(check.value.has_value()) << text;
    }
}

TEST(ValueText, WordsAsFieldsAndLogShowThem) {
    const auto& smbus = SmbusConsoleDefinition().lines;
    const auto& i2c = I2cConsoleDefinition().lines;
    const struct {
        const ConsoleLine& line;
        int32_t word;
        const char* field;
        const char* log;
    } rows[] = {
        {smbus[0], 2981, "298.1", "298.1"},
        {smbus[0], 0, "0", "0.0"},
        {smbus[1], 0xFFFF, "65535", "65535"},
        {smbus[2], 0xFFFF, "-1", "-1"},
        {smbus[3], 0x8000, "-32768", "-32768"},
        {smbus[5], 18, "0x0012", "0x0012"},
        {smbus[10], 0xABCD, "0xABCD", "0xABCD"},
        {i2c[0], 0xA5, "0X00A5", "0x00A5"},
        {i2c[0], 0, "0X0000", "0x0000"},
        {i2c[5], 65535, "65535", "65535"},
        {OtherConsoleDefinition().lines[12], 0xFFFF, "-1", "-1"},
    };
    for (const auto& row : rows) {
        const double value = ValueOfWord(row.line.store, row.word);
        EXPECT_EQ(FormatFieldValue(row.line, value), row.field) << row.line.name << " " << row.word;
        EXPECT_EQ(FormatLogValue(row.line, value), row.log) << row.line.name << " " << row.word;
    }
}

}  // namespace
}  // namespace vantrel
