#include "modeless_dialog_slot.h"

namespace vantrel {

bool ModelessDialogSlot::Open() {
    if (Create()) {
        window_->Show();
        if (raiseFirst_) window_->BringToFront();
        return true;
    }
    if (window_) {
        window_->Show();
        window_->BringToFront();
    }
    return false;
}

bool ModelessDialogSlot::Create() {
    if (*openFlag_ == 1 && window_) return false;
    if (!factory_) return false;
    // The old window, if any, goes first: its dialog asked to be built afresh.
    window_.reset();
    window_ = factory_();
    if (!window_) return false;
    *openFlag_ = 1;
    return true;
}

}  // namespace vantrel
