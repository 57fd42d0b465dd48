#include "orvik/wizard/window/page_rules.h"

#include <gtest/gtest.h>

#include "orvik/eval/eval_error.h"

namespace orvik {
namespace {

// One element parsed from text, kept alive with its document.
class Element {
public:
    explicit Element(const char* xml) { document_.load_string(xml); }
    pugi::xml_node Node() const { return document_.first_child(); }

private:
    pugi::xml_document document_;
};

TValMap Table(std::initializer_list<std::pair<const char*, const char*>> entries) {
    TValMap values;
    for (const auto& [name, value] : entries) values[name].value = value;
    return values;
}

struct HintCase {
    const char* name;
    const char* xml;
    const char* hint;
};

class EntryHintTest : public testing::TestWithParam<HintCase> {};

TEST_P(EntryHintTest, ShowsTheEvaluatedLimits) {
    const Element entry(GetParam().xml);
    EXPECT_EQ(EntryHint(entry.Node(), Table({{"Limit", "10"}})), GetParam().hint);
}

INSTANTIATE_TEST_SUITE_P(
    Hints, EntryHintTest,
    testing::Values(HintCase{"MaxOnly", R"(<entry max="100"/>)", "Max: 100"},
                    HintCase{"MinAndMax", R"(<entry min="1" max="100"/>)", "Min: 1  Max: 100"},
                    HintCase{"MinOnly", R"(<entry min="1"/>)", "Min: 1  "},
                    HintCase{"Expression", R"(<entry min="0-40" max="Limit*2"/>)", "Min: -40  Max: 20"},
                    HintCase{"None", R"(<entry/>)", ""}),
    [](const testing::TestParamInfo<HintCase>& testInfo) { return testInfo.param.name; });

TEST(EntryHint, ThrowsWhenALimitCannotBeEvaluated) {
    const Element entry(R"(<entry max="Nope"/>)");
    EXPECT_THROW(EntryHint(entry.Node(), {}), EvalError);
}

struct CheckCase {
    const char* name;
    const char* xml;
    const char* text;
    EntryCheck result;
};

class CheckEntryTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckEntryTest, TestsNumberThenLimits) {
    const Element entry(GetParam().xml);
    EXPECT_EQ(CheckEntry(entry.Node(), GetParam().text, Table({{"Limit", "10"}})), GetParam().result);
}

constexpr const char* kLimited = R"(<entry min="0" max="Limit"/>)";
constexpr const char* kCelsius = R"(<entry min="0-40" max="80"/>)";

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckEntryTest,
    testing::Values(CheckCase{"AboveMax", kLimited, "11", EntryCheck::kOutOfRange},
                    CheckCase{"AtMax", kLimited, "10", EntryCheck::kAccepted},
                    CheckCase{"AtMin", kLimited, "0", EntryCheck::kAccepted},
                    CheckCase{"BelowMin", kLimited, "-1", EntryCheck::kOutOfRange},
                    CheckCase{"Fraction", kLimited, "9.99", EntryCheck::kAccepted},
                    CheckCase{"Exponent", kLimited, "1e1", EntryCheck::kAccepted},
                    CheckCase{"Blanks", kLimited, " 7 ", EntryCheck::kAccepted},
                    CheckCase{"Plus", kLimited, "+3", EntryCheck::kAccepted},
                    CheckCase{"Letters", kLimited, "abc", EntryCheck::kNotANumber},
                    CheckCase{"TrailingLetters", kLimited, "12abc", EntryCheck::kNotANumber},
                    CheckCase{"Empty", kLimited, "", EntryCheck::kNotANumber},
                    CheckCase{"Infinite", kLimited, "inf", EntryCheck::kNotANumber},
                    CheckCase{"Hexadecimal", kLimited, "0x5", EntryCheck::kNotANumber},
                    CheckCase{"NegativeInside", kCelsius, "-20", EntryCheck::kAccepted},
                    CheckCase{"NegativeBelow", kCelsius, "-40.5", EntryCheck::kOutOfRange},
                    CheckCase{"NoLimits", R"(<entry/>)", "-123456", EntryCheck::kAccepted}),
    [](const testing::TestParamInfo<CheckCase>& testInfo) { return testInfo.param.name; });

TEST(CheckEntry, ThrowsWhenALimitCannotBeEvaluated) {
    const Element entry(R"(<entry max="Missing"/>)");
    EXPECT_THROW(CheckEntry(entry.Node(), "1", {}), EvalError);
}

TEST(NumberOperand, WritesNumbersTheEvaluatorReadsBack) {
    EXPECT_EQ(NumberOperand(-20), "0-20");
    EXPECT_EQ(NumberOperand(0.5), "0.5");
    EXPECT_EQ(NumberOperand(1e20), "100000000000000000000");
    EXPECT_EQ(NumberOperand(0.0000001), "0.0000001");
}

TEST(NotANumberMessage, QuotesTheText) {
    EXPECT_EQ(NotANumberMessage("abc"), "'abc' is not a valid floating point value");
}

struct SelectionCase {
    const char* name;
    const char* xml;
    const char* value;
    int selected;  // -1: nothing
};

class ChooseSelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(ChooseSelectionTest, PicksByNameThenPositionThenDefault) {
    const Element choose(GetParam().xml);
    const std::optional<std::size_t> selected =
        ChooseSelection(choose.Node(), OptionNames(choose.Node()), GetParam().value);
    EXPECT_EQ(selected ? static_cast<int>(*selected) : -1, GetParam().selected);
}

constexpr const char* kAbc =
    R"(<choose default="b"><option name="a"/><option name="b"/><option name="c"/></choose>)";
constexpr const char* kAbcNoDefault = R"(<choose><option name="a"/><option name="b"/><option name="c"/></choose>)";

INSTANTIATE_TEST_SUITE_P(
    Selections, ChooseSelectionTest,
    testing::Values(SelectionCase{"ByName", kAbc, "c", 2}, SelectionCase{"ByPosition", kAbc, "2", 2},
                    SelectionCase{"PositionPastEnd", kAbc, "7", 1}, SelectionCase{"Default", kAbc, "zz", 1},
                    SelectionCase{"First", kAbcNoDefault, "zz", 0},
                    SelectionCase{"NotAnInteger", kAbcNoDefault, "1.0", 0},
                    SelectionCase{"NoItems", R"(<choose default="a"/>)", "a", -1}),
    [](const testing::TestParamInfo<SelectionCase>& testInfo) { return testInfo.param.name; });

TEST(IsTypedChoice, IsTextThatSelectsNoItem) {
    const std::vector<std::string> items{"a", "b"};
    EXPECT_TRUE(IsTypedChoice(items, "typed"));
    EXPECT_FALSE(IsTypedChoice(items, "b"));
    EXPECT_FALSE(IsTypedChoice(items, "1"));
    EXPECT_FALSE(IsTypedChoice(items, ""));
}

TEST(OptionNames, ListsOnlyOptionsInOrder) {
    const Element choose(R"(<choose><option name="x"/><!-- note --><option name="y"/><other name="z"/></choose>)");
    EXPECT_EQ(OptionNames(choose.Node()), (std::vector<std::string>{"x", "y"}));
}

TEST(EntryText, UsesTheValueThenTheDefault) {
    const Element withDefault(R"(<entry id="Rate" default="7"/>)");
    const Element withoutDefault(R"(<entry id="Rate"/>)");
    const Element withoutId(R"(<entry default="3"/>)");
    EXPECT_EQ(EntryText(withDefault.Node(), Table({{"Rate", "12"}})), "12");
    EXPECT_EQ(EntryText(withDefault.Node(), Table({{"Rate", ""}})), "7");
    EXPECT_EQ(EntryText(withoutDefault.Node(), Table({{"Rate", ""}})), "0");
    EXPECT_EQ(EntryText(withoutId.Node(), Table({{"", "9"}})), "3");
}

TEST(ControlValueText, IsTheValueEvenWhenEmpty) {
    const Element box(R"(<enable id="Heat" default="1"/>)");
    EXPECT_EQ(ControlValueText(box.Node(), Table({{"Heat", "0"}})), "0");
    EXPECT_EQ(ControlValueText(box.Node(), {}), "1");
}

TEST(PageCaption, AppendsTheStepName) {
    const Element named(R"(<step name="Battery"/>)");
    const Element unnamed(R"(<step/>)");
    EXPECT_EQ(PageCaption(named.Node()), "Velmor Power Supply Profile Wizard: Battery");
    EXPECT_EQ(PageCaption(unnamed.Node()), "Velmor Power Supply Profile Wizard");
    EXPECT_EQ(DescriptionTitle(named.Node()), "Battery");
    EXPECT_EQ(DescriptionTitle(unnamed.Node()), "Orvik");
}

}  // namespace
}  // namespace orvik
