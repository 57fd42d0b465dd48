#include <gtest/gtest.h>

#include <memory>

#include "orvik/definition/element.h"
#include "orvik/definition/profile_definition.h"
#include "orvik/wizard/step_iterator.h"
#include "orvik/wizard/step_sequence.h"
#include "orvik_test_support.h"

namespace orvik {
namespace {

using test::RecordingReporter;

const char* const kTree =
    "<step name=\"A\"><step name=\"A1\"/><step name=\"A2\"/></step><step name=\"B\"/><step name=\"C\"/>";

// A loaded definition with its step tree and value table.
struct Wizard {
    explicit Wizard(const std::string& steps) {
        definition.LoadText("<profile-wizard><steps>" + steps + "</steps><memory/></profile-wizard>");
        root = std::make_unique<CStep>(definition.Steps(), values);
    }

    CStep& Step(const std::string& name) {
        CStep* found = Find(*root, name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }

    static CStep* Find(CStep& step, const std::string& name) {
        if (AttributeText(step.element, "name") == name) return &step;
        for (CStep& child : step.children) {
            if (CStep* found = Find(child, name)) return found;
        }
        return nullptr;
    }

    ProfileDefinition definition;
    TValMap values;
    std::unique_ptr<CStep> root;
};

std::string NameOf(const CStep* step) { return step ? AttributeText(step->element, "name") : "-"; }

// Applies moves (N: Next, S: Skip, B: Back) and lists the step reached after each.
template <class Position>
std::string Walk(Position& position, const std::string& moves) {
    std::string reached;
    for (char move : moves) {
        const CStep* step = move == 'N' ? position.Next() : move == 'S' ? position.Skip() : position.Back();
        EXPECT_EQ(step, position.Current());
        reached += (reached.empty() ? "" : ",") + NameOf(step);
    }
    return reached;
}

struct WalkCase {
    std::string name;
    std::string moves;
    std::string reached;
};

class IteratorWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(IteratorWalkTest, VisitsStepsInOrder) {
    Wizard wizard(kTree);
    CStep_iterator position(*wizard.root);
    EXPECT_EQ(NameOf(position.Current()), "A");
    EXPECT_EQ(Walk(position, GetParam().moves), GetParam().reached);
}

const WalkCase kTreeA1A2BCRows[] = {
    WalkCase{"NextVisitsDocumentOrder", "NNNN", "A1,A2,B,C"},
    WalkCase{"SkipPassesInnerSteps", "S", "B"},
    WalkCase{"BackAfterSkipDoesNotEnter", "SB", "B,A"},
    WalkCase{"BackFromFirstChild", "NB", "A1,A"},
    WalkCase{"BackRetracesVisitedPath", "NNNBBB", "A1,A2,B,A2,A1,A"},
    WalkCase{"NextAfterBackClearsSkip", "SBN", "B,A,A1"},
    WalkCase{"BackBeforeFirstLeavesNoStep", "B", "-"},
    WalkCase{"ForwardPastLastLeavesNoStep", "NNNNN", "A1,A2,B,C,-"},
    WalkCase{"NoMoveWithoutStep", "BNSB", "-,-,-,-"},
    WalkCase{"SkippedLeafIsStillReachedBack", "NSSB", "A1,A2,B,A2"},
};

INSTANTIATE_TEST_SUITE_P(TreeA1A2BC, IteratorWalkTest, testing::ValuesIn(kTreeA1A2BCRows),
                         [](const testing::TestParamInfo<WalkCase>& testInfo) { return testInfo.param.name; });

class NestedWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(NestedWalkTest, SkippedSubtreesAreNotEnteredBack) {
    Wizard wizard(
        "<step name=\"A\"><step name=\"A1\"><step name=\"A1a\"/></step><step name=\"A2\"/></step>"
        "<step name=\"B\"/>");
    CStep_iterator position(*wizard.root);
    EXPECT_EQ(Walk(position, GetParam().moves), GetParam().reached);
}

const WalkCase kTreeA1aA2BRows[] = {
    WalkCase{"VisitedSubtreeEnteredAtItsLastStep", "NNNNB", "A1,A1a,A2,B,A2"},
    WalkCase{"BackIntoVisitedNestedStep", "NNNB", "A1,A1a,A2,A1a"},
    WalkCase{"BackOverSkippedNestedStep", "NSB", "A1,A2,A1"},
    WalkCase{"BackFromDeepFirstChild", "NNBB", "A1,A1a,A1,A"},
    WalkCase{"SkipFromDeepestUnwindsLevels", "NNSS", "A1,A1a,A2,B"},
};

INSTANTIATE_TEST_SUITE_P(TreeA1aA2B, NestedWalkTest, testing::ValuesIn(kTreeA1aA2BRows),
                         [](const testing::TestParamInfo<WalkCase>& testInfo) { return testInfo.param.name; });

TEST(StepIteratorTest, FirstAndLastAreTopLevelOnly) {
    Wizard wizard(kTree);
    CStep_iterator position(*wizard.root);
    struct Expect {
        const char* name;
        bool first;
        bool last;
        std::size_t depth;
    };
    const Expect expected[] = {{"A", true, false, 2},
                               {"A1", false, false, 3},
                               {"A2", false, false, 3},
                               {"B", false, false, 2},
                               {"C", false, true, 2}};
    for (const Expect& row : expected) {
        EXPECT_EQ(NameOf(position.Current()), row.name);
        EXPECT_EQ(position.AtFirst(), row.first) << row.name;
        EXPECT_EQ(position.AtLast(), row.last) << row.name;
        EXPECT_EQ(position.Depth(), row.depth) << row.name;
        position.Next();
    }
}

TEST(StepIteratorTest, SkipMarksUntilLeftWithNext) {
    Wizard wizard(kTree);
    CStep_iterator position(*wizard.root);
    position.Skip();
    EXPECT_TRUE(wizard.Step("A").skipped);
    position.Back();
    EXPECT_TRUE(wizard.Step("A").skipped);  // Back alone keeps the mark
    position.Next();
    EXPECT_FALSE(wizard.Step("A").skipped);
}

TEST(StepTreeTest, BuildsTreeAndValuesInDocumentOrder) {
    Wizard wizard(
        "<step name=\"A\" canskip=\"yes\"><step name=\"A1\" canskip=\"Yes\"><entry id=\"X\" default=\"2\"/>"
        "</step><entry id=\"X\" default=\"1\"/><entry id=\"Y\"/></step><step name=\"B\"><entry id=\"Y\" "
        "default=\"7\"/></step>");
    ASSERT_EQ(wizard.root->children.size(), 2u);
    EXPECT_EQ(wizard.root->element, wizard.definition.Steps());
    EXPECT_TRUE(wizard.Step("A").canSkip);
    EXPECT_FALSE(wizard.Step("A1").canSkip);  // only "yes" allows skipping
    EXPECT_FALSE(wizard.Step("B").canSkip);
    EXPECT_FALSE(wizard.Step("A").skipped);
    EXPECT_EQ(wizard.values.at("X").value, "2");
    EXPECT_EQ(wizard.values.at("Y").value, "0");
}

TEST(StepTreeTest, TooDeepNestingIsADefinitionError) {
    std::string steps;
    for (int i = 0; i <= CStep::kDeepestNesting + 1; ++i) steps += "<step>";
    for (int i = 0; i <= CStep::kDeepestNesting + 1; ++i) steps += "</step>";
    EXPECT_THROW(Wizard{steps}, DefinitionError);
}

// Walks with availability; values holds Show=<show>.
struct SequenceCase {
    std::string name;
    std::string steps;
    std::string show;
    std::string start;
    std::string moves;
    std::string reached;
};

class StepSequenceTest : public testing::TestWithParam<SequenceCase> {};

TEST_P(StepSequenceTest, PassesOverUnavailableSteps) {
    Wizard wizard(GetParam().steps);
    wizard.values["Show"].value = GetParam().show;
    RecordingReporter reporter;
    StepSequence sequence(*wizard.root, wizard.values, reporter);
    EXPECT_EQ(NameOf(sequence.Start()), GetParam().start);
    EXPECT_EQ(Walk(sequence, GetParam().moves), GetParam().reached);
    EXPECT_TRUE(reporter.messages.empty());
}

const char* const kHiddenInside =
    "<step name=\"A\"><step name=\"A1\"/><step name=\"A2\" depend-id=\"Show\" depend-val=\"1\"/></step>"
    "<step name=\"B\" depend-eqn=\"Show\"/><step name=\"C\"/>";
const char* const kFirstHidden = "<step name=\"A\" depend-eqn=\"Show\"/><step name=\"B\"/><step name=\"C\"/>";
const char* const kLastHidden =
    "<step name=\"A\"/><step name=\"B\"><step name=\"B1\"/></step><step name=\"C\" depend-eqn=\"Show\"/>";
const char* const kLastWithInner = "<step name=\"A\"/><step name=\"B\"/><step name=\"C\"><step name=\"C1\"/></step>";
const char* const kAllHidden = "<step name=\"A\" depend-eqn=\"Show\"/><step name=\"B\" depend-eqn=\"Show\"/>";

const SequenceCase kAvailabilityRows[] = {
    SequenceCase{"AllShown", kHiddenInside, "1", "A", "NNNN", "A1,A2,B,C"},
    SequenceCase{"HiddenPassedForward", kHiddenInside, "0", "A", "NN", "A1,C"},
    SequenceCase{"HiddenPassedBackward", kHiddenInside, "0", "A", "NNB", "A1,C,A1"},
    SequenceCase{"HiddenFirstStartsOnSecond", kFirstHidden, "0", "B", "BN", "B,C"},
    SequenceCase{"HiddenLastStaysOnLastShown", kLastHidden, "0", "A", "NNN", "B,B,B"},
    SequenceCase{"AllHiddenStartsOnFirst", kAllHidden, "0", "A", "NB", "A,A"},
    SequenceCase{"LastTopLevelNeverEntered", kLastWithInner, "", "A", "SNNS", "B,C,C,C"},
};

INSTANTIATE_TEST_SUITE_P(Availability, StepSequenceTest, testing::ValuesIn(kAvailabilityRows),
                         [](const testing::TestParamInfo<SequenceCase>& testInfo) { return testInfo.param.name; });

TEST(StepSequenceTest, StepsPassedForwardAreMarkedSkipped) {
    Wizard wizard(kHiddenInside);
    wizard.values["Show"].value = "0";
    RecordingReporter reporter;
    StepSequence sequence(*wizard.root, wizard.values, reporter);
    sequence.Start();
    sequence.Next();
    sequence.Next();
    EXPECT_TRUE(wizard.Step("A2").skipped);
    EXPECT_TRUE(wizard.Step("B").skipped);
    EXPECT_FALSE(wizard.Step("A1").skipped);
}

TEST(StepSequenceTest, AvailabilityFollowsEnteredValues) {
    Wizard wizard(kFirstHidden);
    wizard.values["Show"].value = "0";
    RecordingReporter reporter;
    StepSequence sequence(*wizard.root, wizard.values, reporter);
    EXPECT_EQ(NameOf(sequence.Start()), "B");
    EXPECT_FALSE(sequence.Buttons().backEnabled);
    wizard.values["Show"].value = "1";
    EXPECT_TRUE(sequence.Buttons().backEnabled);
    EXPECT_EQ(NameOf(sequence.Back()), "A");
}

struct ButtonsCase {
    std::string name;
    std::string steps;
    std::string moves;
    bool back;
    bool skip;
    bool finish;
};

class StepButtonsTest : public testing::TestWithParam<ButtonsCase> {};

TEST_P(StepButtonsTest, SetsButtonsForTheStepShown) {
    Wizard wizard(GetParam().steps);
    wizard.values["Show"].value = "0";
    RecordingReporter reporter;
    StepSequence sequence(*wizard.root, wizard.values, reporter);
    sequence.Start();
    Walk(sequence, GetParam().moves);
    const StepButtons buttons = sequence.Buttons();
    EXPECT_EQ(buttons.backEnabled, GetParam().back);
    EXPECT_EQ(buttons.skipEnabled, GetParam().skip);
    EXPECT_EQ(buttons.finish, GetParam().finish);
    EXPECT_EQ(sequence.AtLast(), GetParam().finish);
}

const char* const kSkippable =
    "<step name=\"A\" canskip=\"yes\"><step name=\"A1\" canskip=\"yes\"/></step><step name=\"B\" canskip=\"Yes\"/>"
    "<step name=\"C\" canskip=\"yes\"/>";

const ButtonsCase kButtonsRows[] = {
    ButtonsCase{"FirstStep", kSkippable, "", false, true, false},
    ButtonsCase{"InnerStep", kSkippable, "N", true, true, false},
    ButtonsCase{"CapitalYesCannotSkip", kSkippable, "NN", true, false, false},
    ButtonsCase{"LastStepFinishes", kSkippable, "NNN", true, false, true},
    ButtonsCase{"LastShownStepFinishes", kLastHidden, "NN", true, false, true},
    ButtonsCase{"FirstShownStepHasNoBack", kFirstHidden, "", false, false, false},
};

INSTANTIATE_TEST_SUITE_P(Buttons, StepButtonsTest, testing::ValuesIn(kButtonsRows),
                         [](const testing::TestParamInfo<ButtonsCase>& testInfo) { return testInfo.param.name; });

TEST(StepSequenceTest, FailingEquationIsReportedOncePerPass) {
    Wizard wizard("<step name=\"A\"/><step name=\"B\" depend-eqn=\"Missing+1\"/><step name=\"C\"/>");
    RecordingReporter reporter;
    StepSequence sequence(*wizard.root, wizard.values, reporter);
    sequence.Start();
    sequence.Buttons();
    EXPECT_TRUE(reporter.messages.empty());  // looking ahead stays silent
    EXPECT_EQ(NameOf(sequence.Next()), "C");
    EXPECT_EQ(reporter.messages,
              (std::vector<RecordingReporter::Message>{{"Equation error:", "Variable Missing not found."}}));
}

TEST(StepSequenceTest, CaptionsOfTheButtons) {
    EXPECT_STREQ(kBackCaption, "< &Back");
    EXPECT_STREQ(kNextCaption, "&Next >");
    EXPECT_STREQ(kFinishCaption, "&Finish");
    EXPECT_STREQ(kSkipCaption, "&Skip >>");
}

}  // namespace
}  // namespace orvik
