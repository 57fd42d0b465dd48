#include "orvik/wizard/step_iterator.h"

namespace orvik {

CStep_iterator::CStep_iterator(CStep& root) {
    places_.push_back({std::span<CStep>(&root, 1), 0});
    if (!root.children.empty()) places_.push_back({root.children, 0});
}

CStep* CStep_iterator::Current() const {
    if (places_.size() < 2) return nullptr;
    const Place& top = places_.back();
    return top.index < top.list.size() ? &top.list[top.index] : nullptr;
}

bool CStep_iterator::AtFirst() const { return places_.size() == 2 && Current() && places_.back().index == 0; }

bool CStep_iterator::AtLast() const {
    return places_.size() == 2 && Current() && places_.back().index + 1 == places_.back().list.size();
}

CStep* CStep_iterator::Next() {
    CStep* current = Current();
    if (current == nullptr) return nullptr;
    current->skipped = false;
    if (!current->children.empty()) {
        places_.push_back({current->children, 0});
    } else {
        MoveForward();
    }
    return Current();
}

CStep* CStep_iterator::Skip() {
    CStep* current = Current();
    if (current == nullptr) return nullptr;
    current->skipped = true;
    MoveForward();
    return Current();
}

CStep* CStep_iterator::Back() {
    if (Current() == nullptr) return nullptr;
    if (places_.back().index == 0) {
        places_.pop_back();
        return Current();
    }
    --places_.back().index;
    for (CStep* step = Current(); step && !step->children.empty() && !step->skipped; step = Current()) {
        places_.push_back({step->children, step->children.size() - 1});
    }
    return Current();
}

void CStep_iterator::MoveForward() {
    ++places_.back().index;
    while (places_.size() >= 2 && places_.back().index >= places_.back().list.size()) {
        places_.pop_back();
        ++places_.back().index;
    }
}

}  // namespace orvik
