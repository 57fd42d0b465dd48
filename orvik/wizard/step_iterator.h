#pragma once
#include <cstddef>
#include <span>
#include <vector>

#include "orvik/wizard/step.h"

namespace orvik {

// The position in the step tree: one place per nesting level. The bottom place
// holds the root alone; the top place designates the current step.
class CStep_iterator {
public:
    // Starts on the first top-level step.
    explicit CStep_iterator(CStep& root);

    // Null when only the root level is left.
    CStep* Current() const;
    bool AtFirst() const;  // on the first top-level step
    bool AtLast() const;   // on the last top-level step

    // Into the inner steps, else forward; clears the current step's skipped mark.
    CStep* Next();
    // Marks the current step skipped and moves forward past its inner steps.
    CStep* Skip();
    // To the parent from a first child, else to the last step visited in the
    // previous sibling's subtree (skipped subtrees are not entered).
    CStep* Back();

    std::size_t Depth() const { return places_.size(); }

private:
    struct Place {
        std::span<CStep> list;
        std::size_t index = 0;
    };

    void MoveForward();

    std::vector<Place> places_;
};

}  // namespace orvik
