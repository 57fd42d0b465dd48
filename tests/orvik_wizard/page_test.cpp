#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "window_fixture.h"

namespace orvik::test {
namespace {

const std::string kPage = Definition(R"(
  <step name="Page">
    <desc>What this page is for.</desc>
    <entry id="Limit" caption="Limit" default="10"/>
    <entry id="Value" caption="Value" units="V" min="0" max="Limit"/>
    <enable id="Heat" caption="Heat the pack" default="1"/>
    <entry id="Temp" caption="Temperature" en-id="Heat"/>
    <entry id="Fixed" caption="Fixed" en-id="disabled"/>
    <entry id="Away" caption="Away" en-id="Elsewhere"/>
    <choose id="Mode" caption="Mode" default="b" validate="yes">
      <option name="a"/><option name="b"><preset id="Rate" val="5"/></option>
    </choose>
    <choose id="Free" caption="Free text"><option name="x"/><option name="y"/></choose>
  </step>
  <step name="Other"><enable id="Elsewhere" caption="Elsewhere"/><entry id="Rate" caption="Rate" default="1"/></step>
  <step name="Last"/>)");

const char* kNotOnPage = "Elsewhere Is not available on this page.  Please correct profile.xml and try again.";

class PageTest : public WindowTest {
protected:
    QLabel* Label(const QString& text) const {
        for (QWidget* extra : window->Page().Extras()) {
            if (auto* label = qobject_cast<QLabel*>(extra); label != nullptr && label->text() == text) return label;
        }
        return nullptr;
    }
};

TEST_F(PageTest, PlacesControlsDownTheColumn) {
    Open(kPage);
    auto* limit = Control<QLineEdit>("Limit");
    auto* value = Control<QLineEdit>("Value");
    QLabel* limitLabel = Label("Limit");
    QLabel* valueLabel = Label("Value");
    QLabel* units = Label("[V]");
    ASSERT_TRUE(limit && value && limitLabel && valueLabel && units);

    const int labelHeight = limitLabel->height();
    EXPECT_EQ(limitLabel->pos(), QPoint(10, 5));
    EXPECT_EQ(limit->pos(), QPoint(10, 5 + labelHeight + 3));
    // Each entry is followed by 5 more pixels, the next control starts 5 below that.
    EXPECT_EQ(value->y(), limit->y() + limit->height() + 5 + labelHeight + 3 + 5);
    EXPECT_EQ(valueLabel->y(), value->y() - 3 - labelHeight);
    EXPECT_EQ(units->pos(), QPoint(value->x() + value->width() + 5, value->y() + 2));

    auto* heat = Control<QCheckBox>("Heat");
    EXPECT_EQ(heat->y(), value->y() + value->height() + 5 + 5);
    EXPECT_EQ(heat->width(), heat->fontMetrics().horizontalAdvance("Heat the pack") + 20);
    for (const auto& [id, control] : window->Page().Controls()) EXPECT_EQ(control.control->x(), 10) << id;
}

TEST_F(PageTest, ShowsTheStepAndItsDescription) {
    Open(kPage);
    EXPECT_EQ(window->windowTitle(), "Velmor Power Supply Profile Wizard: Page");
    EXPECT_EQ(window->gbDesc->title(), "Page");
    EXPECT_EQ(window->mDesc->toPlainText(), "What this page is for.");
    EXPECT_EQ(Control<QLineEdit>("Limit")->text(), "10");
    EXPECT_EQ(Control<QLineEdit>("Value")->text(), "0");  // no default
    EXPECT_TRUE(Control<QLineEdit>("Limit")->hasFocus());
}

TEST_F(PageTest, CheckBoxesEnableTheirControls) {
    Open(kPage);
    auto* heat = Control<QCheckBox>("Heat");
    auto* temp = Control<QLineEdit>("Temp");
    EXPECT_TRUE(heat->isChecked());
    EXPECT_TRUE(temp->isEnabled());
    heat->click();
    EXPECT_FALSE(temp->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>("Fixed")->isEnabled());

    // The page is built again with the box unchecked.
    window->bNextClick();
    window->bBackClick();
    EXPECT_FALSE(Control<QCheckBox>("Heat")->isChecked());
    EXPECT_FALSE(Control<QLineEdit>("Temp")->isEnabled());
}

TEST_F(PageTest, ACheckBoxOnAnotherPageIsReportedEachTimeThePageIsBuilt) {
    Open(kPage);
    EXPECT_FALSE(Control<QLineEdit>("Away")->isEnabled());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Error:");
    EXPECT_EQ(prompter.messages[0].text, kNotOnPage);

    window->bNextClick();
    window->bBackClick();
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(HasMessage("Error:", kNotOnPage));
}

TEST_F(PageTest, HintsShowTheLimits) {
    Open(kPage);
    EXPECT_EQ(Control<QLineEdit>("Value")->toolTip(), "Min: 0  Max: 10");
    EXPECT_EQ(Control<QLineEdit>("Limit")->toolTip(), "");
}

TEST_F(PageTest, HintsFollowTheValueJustStored) {
    Open(kPage);
    auto* limit = Control<QLineEdit>("Limit");
    limit->setText("25");
    Control<QLineEdit>("Value")->setFocus(Qt::TabFocusReason);  // leaves Limit
    EXPECT_EQ(window->Values()["Limit"].value, "25");
    EXPECT_EQ(Control<QLineEdit>("Value")->toolTip(), "Min: 0  Max: 25");
}

// Presets apply at start-up and when the choice changes; leaving the list's
// page again with the same choice keeps what the user entered since.
TEST_F(PageTest, ListsApplyPresetsOnlyWhenTheChoiceChanges) {
    Open(kPage);
    auto* mode = Control<QComboBox>("Mode");
    EXPECT_FALSE(mode->isEditable());
    EXPECT_EQ(mode->currentText(), "b");
    EXPECT_EQ(window->Values()["Rate"].value, "5");  // the starting option's preset
    window->bNextClick();
    EXPECT_EQ(window->Values()["Mode"].value, "b");
    EXPECT_EQ(Control<QLineEdit>("Rate")->text(), "5");  // an entry on another step shows the preset
    Control<QLineEdit>("Rate")->setText("12");
    window->bBackClick();
    window->bNextClick();  // the same choice, left again
    EXPECT_EQ(Control<QLineEdit>("Rate")->text(), "12");

    window->bBackClick();
    Control<QComboBox>("Mode")->setCurrentText("a");
    window->bNextClick();
    window->bBackClick();
    Control<QComboBox>("Mode")->setCurrentText("b");  // chosen again: its preset wins
    window->bNextClick();
    EXPECT_EQ(Control<QLineEdit>("Rate")->text(), "5");
}

// An unticked override shows what the wizard works out in its place (the
// value the profile would hold), so ticking it changes nothing by itself.
TEST_F(PageTest, AnUntickedOverrideShowsTheWorkedOutValue) {
    Open(Definition(R"(
      <step name="Pack"><entry id="Cells" caption="Cells" default="6"/></step>
      <step name="Over">
        <enable id="V_set" caption="By hand" eval="1"/>
        <entry id="V" caption="Voltage" default="" en-id="V_set" min="1" max="65535" eval="mV"/>
        <enable id="T_set" caption="Methods by hand"/>
        <enable id="T0" caption="Method 0" en-id="T_set" eval="flags%2"/>
        <enable id="T1" caption="Method 1" en-id="T_set" eval="flags/2%2"/>
      </step>
      <step name="Last"/>)",
                    R"(<memory><loc id="mV" address="0x00" length="2" eval="V_set?V:Cells*1150.7"/>
                       <loc id="flags" address="0x02" length="2" eval="T_set?T0+2*T1:2"/></memory>)"));
    window->bNextClick();
    auto* entry = Control<QLineEdit>("V");
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_EQ(entry->text(), "6904");  // as saved and read back: whole millivolts
    EXPECT_FALSE(Control<QCheckBox>("T0")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("T1")->isChecked());

    Control<QCheckBox>("V_set")->click();
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_EQ(entry->text(), "6904");
    entry->setText("7000");
    Control<QCheckBox>("V_set")->click();  // unticked again: the worked-out value is back
    EXPECT_EQ(entry->text(), "6904");
    Control<QCheckBox>("V_set")->click();
    entry->setText("");
    window->bNextClick();  // a ticked override left empty is refused like any entry
    EXPECT_EQ(window->CurrentStepName(), "Over");
    EXPECT_TRUE(HasMessage("Error:", "'' is not a valid floating point value"));
    entry->setText("7000");
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "Last");
    EXPECT_EQ(window->Values()["V"].value, "7000");
}

TEST_F(PageTest, AListThatDoesNotValidateKeepsTypedText) {
    Open(kPage);
    auto* free = Control<QComboBox>("Free");
    ASSERT_TRUE(free->isEditable());
    EXPECT_EQ(free->currentText(), "x");  // value 0 selects the first item
    free->setEditText("typed");
    window->bNextClick();
    EXPECT_EQ(window->Values()["Free"].value, "typed");
    window->bBackClick();
    EXPECT_EQ(Control<QComboBox>("Free")->currentText(), "typed");
}

TEST_F(PageTest, LeavingThePageStoresValuesAndRemovesEveryControl) {
    Open(kPage);
    Control<QLineEdit>("Temp")->setText("31.5");
    window->bNextClick();
    EXPECT_EQ(window->Values()["Temp"].value, "31.5");
    EXPECT_EQ(window->CurrentStepName(), "Other");
    ASSERT_EQ(window->Page().Controls().size(), 2u);
    EXPECT_NE(Control<QCheckBox>("Elsewhere"), nullptr);
    EXPECT_EQ(window->Page().Extras().size(), 1u);  // the label of Rate
    // Only the file controls and the new page remain in the page area.
    EXPECT_EQ(window->cliPanel->findChildren<QLineEdit*>().size(), 2);
}

TEST_F(PageTest, AnEntryWithoutIdStartsAtItsDefaultAndStoresNothing) {
    Open(Definition(R"(<step name="S"><entry caption="Loose" default="4"/></step><step name="T"/>)"));
    auto* loose = qobject_cast<QLineEdit*>(window->Page().Extras().front());
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->text(), "4");
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "T");
    EXPECT_EQ(window->Values().count(""), 0u);
}

TEST_F(PageTest, AHintThatFailsIsReportedAndThePageIsStillBuilt) {
    Open(Definition(R"(<step name="S">
        <entry id="Broken" caption="Broken" max="Nope"/>
        <entry id="Fine" caption="Fine" max="5"/></step><step name="T"/>)"));
    EXPECT_TRUE(HasMessage("Evaluation Error:", "Variable Nope not found."));
    EXPECT_EQ(Control<QLineEdit>("Broken")->toolTip(), "");
    ASSERT_NE(Control<QLineEdit>("Fine"), nullptr);
    EXPECT_EQ(Control<QLineEdit>("Fine")->toolTip(), "Max: 5");
}

TEST_F(PageTest, AFailingAvailabilityRuleIsAnEquationError) {
    Open(Definition(R"(<step name="S"><entry id="Shown" caption="Shown"/>
        <entry id="Odd" caption="Odd" depend-eqn="Missing+1"/></step><step name="T"/>)"));
    EXPECT_TRUE(HasMessage("Equation error:", "Variable Missing not found."));
    EXPECT_NE(Control<QLineEdit>("Shown"), nullptr);
    EXPECT_EQ(Control<QLineEdit>("Odd"), nullptr);
}

}  // namespace
}  // namespace orvik::test
