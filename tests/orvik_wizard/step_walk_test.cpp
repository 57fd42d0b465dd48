#include <string>
#include <vector>

#include <QCheckBox>
#include <QPushButton>

#include "window_fixture.h"

namespace orvik::test {
namespace {

const std::string kTree = Definition(R"(
  <step name="A" canskip="yes"><step name="A1"/><step name="A2"/></step>
  <step name="B" canskip="yes"/>
  <step name="C"><step name="C1"/></step>)");

class StepWalkTest : public WindowTest {};

TEST_F(StepWalkTest, NextVisitsInDocumentOrderAndOffersFinishOnTheLastStep) {
    Open(kTree);
    std::vector<std::string> visited{window->CurrentStepName()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(window->bNext->text(), "&Next >");
        window->bNextClick();
        visited.push_back(window->CurrentStepName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"A", "A1", "A2", "B", "C"}));
    EXPECT_EQ(window->bNext->text(), "&Finish");
    EXPECT_FALSE(window->bSkip->isEnabled());
    EXPECT_TRUE(window->bBack->isEnabled());
    EXPECT_EQ(window->windowTitle(), "Velmor Power Supply Profile Wizard: C");
}

TEST_F(StepWalkTest, ButtonsFollowTheStep) {
    Open(kTree);
    EXPECT_FALSE(window->bBack->isEnabled());
    EXPECT_TRUE(window->bSkip->isEnabled());  // A can be skipped
    window->bNextClick();
    EXPECT_TRUE(window->bBack->isEnabled());
    EXPECT_FALSE(window->bSkip->isEnabled());  // A1 cannot
}

TEST_F(StepWalkTest, SkipPassesOverInnerStepsAndBackDoesNotEnterThem) {
    Open(kTree);
    window->bSkipClick();
    EXPECT_EQ(window->CurrentStepName(), "B");
    window->bBackClick();
    EXPECT_EQ(window->CurrentStepName(), "A");
}

TEST_F(StepWalkTest, BackRetracesTheVisitedPath) {
    Open(kTree);
    ASSERT_TRUE(NextUntil("A1"));
    window->bBackClick();
    EXPECT_EQ(window->CurrentStepName(), "A");
    ASSERT_TRUE(NextUntil("B"));
    window->bBackClick();
    EXPECT_EQ(window->CurrentStepName(), "A2");
}

TEST_F(StepWalkTest, UnavailableStepsArePassedInBothDirections) {
    Open(Definition(R"(
      <step name="First"><enable id="show" caption="Show the hidden step"/></step>
      <step name="Hidden" depend-id="show" depend-val="1"/>
      <step name="Middle"/>
      <step name="Last"/>)"));
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "Middle");
    window->bBackClick();
    EXPECT_EQ(window->CurrentStepName(), "First");

    Control<QCheckBox>("show")->click();
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "Hidden");
}

TEST_F(StepWalkTest, FinishWithTheDialogCancelledStillWritesWorkingPsdAndCloses) {
    Open(kTree);
    ASSERT_TRUE(NextUntil("C"));
    prompter.saveAnswers.push_back(std::nullopt);
    window->bNextClick();

    EXPECT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(folder.File("working.psd")));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 0);
}

TEST_F(StepWalkTest, FinishAfterSaveOnTheLastStepAsksNothing) {
    Open(kTree);
    ASSERT_TRUE(NextUntil("C"));
    window->eLocation->setText(QString::fromStdString(folder.File("mine.psd")));
    window->bSaveClick();
    window->bNextClick();

    EXPECT_TRUE(prompter.saveRequests.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.File("mine.psd")));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 0);
}

TEST_F(StepWalkTest, LeavingTheLastStepForgetsTheSave) {
    Open(kTree);
    ASSERT_TRUE(NextUntil("C"));
    window->bSaveClick();
    EXPECT_TRUE(window->Saved());
    window->bBackClick();
    EXPECT_FALSE(window->Saved());
    EXPECT_EQ(window->ExitCode(), 0);
}

TEST_F(StepWalkTest, CancelRightAfterStartEndsWithOneAndWritesNothing) {
    Open(kTree);
    window->bCancelClick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.File("working.psd")));
}

}  // namespace
}  // namespace orvik::test
