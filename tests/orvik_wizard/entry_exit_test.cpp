#include <QLineEdit>

#include "window_fixture.h"

namespace orvik::test {
namespace {

const std::string kLimits = Definition(R"(
  <step name="Limits">
    <entry id="Limit" caption="Limit" default="10"/>
    <entry id="Value" caption="Value" min="0" max="Limit"/>
    <entry id="Celsius" caption="Celsius" min="0-40" max="80"/>
  </step>
  <step name="After"/>
  <step name="Last"/>)");

struct ExitCase {
    const char* name;
    const char* field;
    const char* text;
    bool moves;
    const char* message;  // the floating-point message, or empty for none
};

class EntryExitTest : public WindowTest, public testing::WithParamInterface<ExitCase> {};

TEST_P(EntryExitTest, NextProceedsOnlyWithAnAcceptedEntry) {
    Open(kLimits);
    auto* field = Control<QLineEdit>(GetParam().field);
    field->setFocus(Qt::TabFocusReason);
    field->setText(GetParam().text);
    const std::string before = window->Values()[GetParam().field].value;

    window->bNextClick();

    if (GetParam().moves) {
        EXPECT_EQ(window->CurrentStepName(), "After");
        EXPECT_EQ(window->Values()[GetParam().field].value, GetParam().text);
    } else {
        EXPECT_EQ(window->CurrentStepName(), "Limits");
        EXPECT_EQ(window->focusWidget(), Control<QLineEdit>(GetParam().field));
        EXPECT_EQ(window->Values()[GetParam().field].value, before);
    }
    if (*GetParam().message == '\0') {
        EXPECT_TRUE(prompter.messages.empty());
    } else {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].caption, "Error:");
        EXPECT_EQ(prompter.messages[0].text, GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryExitTest,
    testing::Values(ExitCase{"AboveTheValueOfLimit", "Value", "11", false, ""},
                    ExitCase{"AtTheValueOfLimit", "Value", "10", true, ""},
                    ExitCase{"BelowMin", "Value", "-1", false, ""},
                    ExitCase{"NotANumber", "Value", "abc", false, "'abc' is not a valid floating point value"},
                    ExitCase{"NegativeInRange", "Celsius", "-20", true, ""},
                    ExitCase{"NegativeOutOfRange", "Celsius", "-41", false, ""},
                    ExitCase{"WithoutLimits", "Limit", "12345", true, ""}),
    [](const testing::TestParamInfo<ExitCase>& testInfo) { return testInfo.param.name; });

class EntryFocusTest : public WindowTest {};

TEST_F(EntryFocusTest, TabbingAwayFromARefusedEntryBringsTheFocusBack) {
    Open(kLimits);
    auto* value = Control<QLineEdit>("Value");
    value->setFocus(Qt::TabFocusReason);
    value->setText("11");
    Control<QLineEdit>("Celsius")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(value->hasFocus());
    EXPECT_EQ(window->Values()["Value"].value, "0");

    value->setText("7");
    Control<QLineEdit>("Celsius")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(Control<QLineEdit>("Celsius")->hasFocus());
    EXPECT_EQ(window->Values()["Value"].value, "7");
}

TEST_F(EntryFocusTest, ALimitThatCannotBeEvaluatedIsReportedAndKeepsTheFocus) {
    Open(Definition(R"(<step name="S"><entry id="E" caption="E" max="Nope"/></step><step name="T"/>)"));
    prompter.messages.clear();
    Control<QLineEdit>("E")->setText("3");
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "S");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Evaluation Error:");
    EXPECT_EQ(prompter.messages[0].text, "Variable Nope not found.");
}

TEST_F(EntryFocusTest, BackAndSkipDoNotTakeTextThatIsNoNumber) {
    Open(Definition(R"(<step name="S"/><step name="P" canskip="yes"><entry id="E" caption="E" default="2"/></step>
                       <step name="T"/>)"));
    window->bNextClick();
    Control<QLineEdit>("E")->setText("abc");
    window->bSkipClick();
    EXPECT_EQ(window->CurrentStepName(), "T");
    EXPECT_EQ(window->Values()["E"].value, "2");
}

}  // namespace
}  // namespace orvik::test
