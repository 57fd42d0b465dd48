#include <filesystem>

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
    const char* message;  // the refusal shown, or empty for none
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
    testing::Values(ExitCase{"AboveTheValueOfLimit", "Value", "11", false, "'11' is out of range.  Min: 0  Max: 10"},
                    ExitCase{"AtTheValueOfLimit", "Value", "10", true, ""},
                    ExitCase{"BelowMin", "Value", "-1", false, "'-1' is out of range.  Min: 0  Max: 10"},
                    ExitCase{"NotANumber", "Value", "abc", false, "'abc' is not a valid floating point value"},
                    ExitCase{"Empty", "Value", "", false, "'' is not a valid floating point value"},
                    ExitCase{"NegativeInRange", "Celsius", "-20", true, ""},
                    ExitCase{"NegativeOutOfRange", "Celsius", "-41", false, "'-41' is out of range.  Min: -40  Max: 80"},
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

// Back, Skip and Cancel are never trapped by a refused entry: no message, no
// refused value stored; the refused text waits on its page until Next checks it.
TEST_F(EntryFocusTest, BackAndSkipNeitherStoreNorLoseRefusedText) {
    Open(Definition(R"(<step name="S"/><step name="P" canskip="yes"><entry id="E" caption="E" default="2" max="100"/>
                       <entry id="F" caption="F" default="3"/></step><step name="T"/>)"));
    window->bNextClick();
    for (const char* refused : {"abc", "5000"}) {
        Control<QLineEdit>("E")->setText(refused);
        window->bSkipClick();
        EXPECT_EQ(window->CurrentStepName(), "T");
        window->bBackClick();
        ASSERT_EQ(window->CurrentStepName(), "P");
        EXPECT_EQ(Control<QLineEdit>("E")->text(), refused);
        window->bBackClick();
        EXPECT_EQ(window->CurrentStepName(), "S");
        EXPECT_EQ(window->Values()["E"].value, "2");
        EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
        window->bNextClick();
    }
    // Next checks every entry of the page, not only the one with the focus.
    Control<QLineEdit>("F")->setFocus(Qt::TabFocusReason);
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "P");
    EXPECT_TRUE(Control<QLineEdit>("E")->hasFocus());
    EXPECT_TRUE(HasMessage("Error:", "'5000' is out of range.  Max: 100"));
}

// Clicking Back or Cancel moves the focus out of a refused entry first: that
// must not raise the refusal, or the user could never leave.
TEST_F(EntryFocusTest, ClickingBackOrCancelFromARefusedEntryShowsNoMessage) {
    Open(Definition(R"(<step name="S"/><step name="P"><entry id="E" caption="E" default="2"/></step><step name="T"/>)"));
    window->bNextClick();
    auto* entry = Control<QLineEdit>("E");
    entry->setFocus(Qt::TabFocusReason);
    entry->setText("abc");
    QTest::mouseClick(window->bBack, Qt::LeftButton);
    EXPECT_EQ(window->CurrentStepName(), "S");
    window->bNextClick();
    Control<QLineEdit>("E")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(window->bCancel, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
    EXPECT_FALSE(std::filesystem::exists(folder.File("working.psd")));
}

}  // namespace
}  // namespace orvik::test
