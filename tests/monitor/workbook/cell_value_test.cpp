#include <gtest/gtest.h>

#include "vantrel/monitor/workbook/cell_address.h"
#include "vantrel/monitor/workbook/cell_value.h"

namespace {

using vantrel::workbook::CellAddress;
using vantrel::workbook::CellValue;
using vantrel::workbook::DisplayText;
using vantrel::workbook::ParseCellName;
using vantrel::workbook::ValueOfCellText;

struct NumberCase {
    const char* text;
    double value;
    const char* shown;
};

class CellNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CellNumbers, FormulasAndNumbersShowTheirValue) {
    const CellValue value = ValueOfCellText(GetParam().text);
    ASSERT_TRUE(value.IsNumber()) << GetParam().text << " shows " << value.text;
    EXPECT_NEAR(value.number, GetParam().value, 1e-9) << GetParam().text;
    EXPECT_EQ(DisplayText(value), GetParam().shown) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, CellNumbers,
                         ::testing::Values(NumberCase{"=298.1-273.2", 24.9, "24.9"},
                                           NumberCase{"=12150/1000", 12.15, "12.15"},
                                           NumberCase{"=-500/1000", -0.5, "-0.5"},
                                           NumberCase{"=0/1000", 0, "0"},
                                           NumberCase{"= 2 * (3 + 4) - -1", 15, "15"},
                                           NumberCase{"=1-2-3", -4, "-4"},
                                           NumberCase{"=8/2/2", 2, "2"},
                                           NumberCase{"=+.5e1", 5, "5"},
                                           NumberCase{"12", 12, "12"},
                                           NumberCase{" -480 ", -480, "-480"},
                                           NumberCase{"1e3", 1000, "1000"}));

struct ErrorCase {
    const char* text;
    const char* error;
};

class CellErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CellErrors, FormulasThatCannotBeComputedShowAnErrorValue) {
    const CellValue value = ValueOfCellText(GetParam().text);
    EXPECT_EQ(value.kind, CellValue::Kind::Error) << GetParam().text;
    EXPECT_EQ(DisplayText(value), GetParam().error) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, CellErrors,
                         ::testing::Values(ErrorCase{"=", "#VALUE!"}, ErrorCase{"=1/0", "#DIV/0!"},
                                           ErrorCase{"=(1/0)+x", "#DIV/0!"}, ErrorCase{"=1+", "#VALUE!"},
                                           ErrorCase{"=(1+2", "#VALUE!"}, ErrorCase{"=1+2)", "#VALUE!"},
                                           ErrorCase{"=SUM(1,2)", "#VALUE!"}, ErrorCase{"=A1+1", "#VALUE!"},
                                           ErrorCase{"=1e308*10", "#NUM!"}, ErrorCase{"=inf", "#VALUE!"},
                                           ErrorCase{"=0x10", "#VALUE!"}));

TEST(CellTexts, OtherTextsStayText) {
    for (const char* text : {"Time", "BattTemp (C)", "12 V", "0x0021", "nan", "inf", "-", "1,5", "--1"}) {
        const CellValue value = ValueOfCellText(text);
        EXPECT_EQ(value.kind, CellValue::Kind::Text) << text;
        EXPECT_EQ(DisplayText(value), text);
    }
}

TEST(CellTexts, DeepParenthesesAreRefusedNotRecursedInto) {
    const std::string deep = "=" + std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(DisplayText(ValueOfCellText(deep)), "#VALUE!");
}

TEST(CellNames, ReadAndWriteTheSameAddresses) {
    EXPECT_EQ(ParseCellName("A1"), (CellAddress{1, 1}));
    EXPECT_EQ(ParseCellName("d12"), (CellAddress{12, 4}));
    EXPECT_EQ(ParseCellName("XFD1048576"), (CellAddress{1048576, 16384}));
    EXPECT_EQ(vantrel::workbook::CellName({27, 28}), "AB27");
    EXPECT_EQ(vantrel::workbook::CellName({3, 16384}), "XFD3");
    for (const char* bad : {"", "A", "1", "A0", "A01", "1A", "XFE1", "A1048577", "A1 ", "$A$1", "ABCD1", "A-1"}) {
        EXPECT_FALSE(ParseCellName(bad)) << '"' << bad << '"';
    }
}

}  // namespace
