#include "orvik/wizard/step_sequence.h"

#include "orvik/definition/availability.h"

namespace orvik {

StepSequence::StepSequence(CStep& root, const TValMap& values, IReporter& reporter)
    : root_(root), values_(values), reporter_(reporter), position_(root) {}

bool StepSequence::Available(const CStep& step, IReporter& reporter) const {
    return IsAvailable(step.element, values_, reporter);
}

CStep* StepSequence::Start() {
    position_ = CStep_iterator(root_);
    return SettleForward(CStep_iterator(root_));
}

CStep* StepSequence::Next() {
    if (Current() == nullptr || AtLast()) return Current();
    const CStep_iterator before = position_;
    position_.Next();
    return SettleForward(before);
}

CStep* StepSequence::Skip() {
    if (Current() == nullptr || AtLast()) return Current();
    const CStep_iterator before = position_;
    position_.Skip();
    return SettleForward(before);
}

CStep* StepSequence::Back() {
    if (Current() == nullptr) return nullptr;
    const CStep_iterator before = position_;
    position_.Back();
    return SettleBackward(before);
}

CStep* StepSequence::SettleForward(const CStep_iterator& before) {
    for (CStep* step = Current(); step != nullptr; step = position_.Skip()) {
        if (Available(*step, reporter_)) return step;
    }
    position_ = before;
    return Current();
}

CStep* StepSequence::SettleBackward(const CStep_iterator& before) {
    for (CStep* step = Current(); step != nullptr; step = position_.Back()) {
        if (Available(*step, reporter_)) return step;
    }
    position_ = before;
    return Current();
}

bool StepSequence::AtLast() const {
    if (position_.AtLast()) return true;
    if (position_.Depth() != 2 || Current() == nullptr) return false;
    // Looking ahead must not raise messages about steps that are not shown.
    NullReporter silent;
    const CStep* current = Current();
    for (const CStep* later = current + 1; later != root_.children.data() + root_.children.size(); ++later) {
        if (Available(*later, silent)) return false;
    }
    return true;
}

bool StepSequence::CanGoBack() const {
    if (position_.AtFirst()) return false;
    NullReporter silent;
    CStep_iterator probe = position_;
    for (CStep* step = probe.Back(); step != nullptr; step = probe.Back()) {
        if (Available(*step, silent)) return true;
    }
    return false;
}

StepButtons StepSequence::Buttons() const {
    StepButtons buttons;
    const CStep* current = Current();
    if (current == nullptr) return buttons;
    buttons.finish = AtLast();
    buttons.backEnabled = CanGoBack();
    buttons.skipEnabled = !buttons.finish && current->canSkip;
    return buttons;
}

}  // namespace orvik
