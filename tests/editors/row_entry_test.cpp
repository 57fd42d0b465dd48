#include <gtest/gtest.h>

#include "vantrel/editors/rows/row_entry.h"

namespace vantrel {
namespace {

RowSpec Row(ValueKind kind, double minimum, double maximum, RangeWording wording = RangeWording::Number) {
    RowSpec row;
    row.kind = kind;
    row.minimum = minimum;
    row.maximum = maximum;
    row.wording = wording;
    return row;
}

struct EntryCase {
    const char* name;
    RowSpec row;
    const char* text;
    std::optional<double> value;
    const char* message;
};

class RowEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(RowEntryTest, ReadsTextAsItsRowDoes) {
    const EntryCase& c = GetParam();
    const RowEntry entry = ReadRowEntry(c.row, c.text);
    EXPECT_EQ(entry.value, c.value);
    EXPECT_EQ(entry.message, c.message);
}

const RowSpec kWord = Row(ValueKind::Number, 0, 65535);
const RowSpec kTenths = Row(ValueKind::Number, 0, 6553.5);
const RowSpec kCount = Row(ValueKind::Integer, 1, 4, RangeWording::Integer);
const RowSpec kHexWord = Row(ValueKind::Hex, 0, 65535);
RowSpec Limited() {
    RowSpec row = Row(ValueKind::Hex, 0, 65535);
    row.maxLength = 6;
    return row;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowEntryTest,
    ::testing::Values(
        EntryCase{"Upper", kWord, "65535", 65535.0, ""},
        EntryCase{"OverUpper", kWord, "65536", std::nullopt, "Please enter a number between 0 and 65535."},
        EntryCase{"Negative", kWord, "-1", std::nullopt, "Please enter a number between 0 and 65535."},
        EntryCase{"Empty", kWord, "", std::nullopt, "Please enter a number."},
        EntryCase{"Blanks", kWord, "  12 ", 12.0, ""},
        EntryCase{"Letters", kWord, "12a", std::nullopt, "Please enter a number."},
        EntryCase{"Infinity", kWord, "inf", std::nullopt, "Please enter a number."},
        EntryCase{"HugeDigits", kWord, "99999999999999999999999", std::nullopt,
                  "Please enter a number between 0 and 65535."},
        EntryCase{"TenthsUpper", kTenths, "6553.5", 6553.5, ""},
        EntryCase{"TenthsOver", kTenths, "6553.6", std::nullopt, "Please enter a number between 0 and 6553.5."},
        EntryCase{"TwoPoints", kTenths, "1.2.3", std::nullopt, "Please enter a number."},
        EntryCase{"IntegerDecimal", kCount, "2.5", std::nullopt, "Please enter an integer."},
        EntryCase{"IntegerRange", kCount, "0", std::nullopt, "Please enter an integer between 1 and 4."},
        EntryCase{"IntegerOk", kCount, "+4", 4.0, ""},
        EntryCase{"HexPrefixed", kHexWord, "0x1F", 31.0, ""},
        EntryCase{"HexShortPrefix", kHexWord, "xff", 255.0, ""},
        EntryCase{"HexBare", kHexWord, "FFFF", 65535.0, ""},
        EntryCase{"HexTooWide", kHexWord, "10000", std::nullopt, "Please enter a number between 0 and 65535."},
        EntryCase{"HexBadDigit", kHexWord, "0xG", std::nullopt, "Please enter a number."},
        EntryCase{"TooLong", Limited(), "0x00001", std::nullopt, "Please enter no more than 6 characters."}),
    [](const ::testing::TestParamInfo<EntryCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantrel
