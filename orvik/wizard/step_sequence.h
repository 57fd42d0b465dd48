#pragma once
#include "orvik/definition/reporter.h"
#include "orvik/eval/values.h"
#include "orvik/wizard/step_iterator.h"

namespace orvik {

inline constexpr const char* kBackCaption = "< &Back";
inline constexpr const char* kNextCaption = "&Next >";
inline constexpr const char* kFinishCaption = "&Finish";
inline constexpr const char* kSkipCaption = "&Skip >>";

// How the navigation buttons are set while a step is shown.
struct StepButtons {
    bool backEnabled = false;
    bool skipEnabled = false;
    bool finish = false;  // Next reads "&Finish" (and runs Finish); Skip is disabled
};

// The step position with the availability rule applied: unavailable steps are
// passed over in the direction of the move (marked skipped going forward). A
// move that finds no available step leaves the position where it was.
class StepSequence {
public:
    // values is read at every move, so availability follows what was entered.
    StepSequence(CStep& root, const TValMap& values, IReporter& reporter);

    // Settles on the first available step; when none is, on the first step.
    CStep* Start();
    CStep* Current() const { return position_.Current(); }

    // On the last top-level step that can be shown, Next and Skip stay put: the
    // caller runs Finish instead.
    CStep* Next();
    CStep* Skip();
    CStep* Back();

    // The last top-level step, or one after which no top-level step is available.
    bool AtLast() const;
    StepButtons Buttons() const;

    const CStep_iterator& Position() const { return position_; }

private:
    bool Available(const CStep& step, IReporter& reporter) const;
    CStep* SettleForward(const CStep_iterator& before);
    CStep* SettleBackward(const CStep_iterator& before);
    bool CanGoBack() const;

    CStep& root_;
    const TValMap& values_;
    IReporter& reporter_;
    CStep_iterator position_;
};

}  // namespace orvik
