#pragma once
#include <QWidget>
#include <memory>

#include "modeless_dialog_slot.h"

namespace vantrel {

// A Qt window under the modeless-dialog policy. Closing it only hides it.
class QtModelessWindow : public IModelessWindow {
public:
    explicit QtModelessWindow(std::unique_ptr<QWidget> widget) : widget_(std::move(widget)) {
        widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void Show() override { widget_->show(); }
    void BringToFront() override {
        widget_->raise();
        widget_->activateWindow();
    }
    QWidget* Widget() const { return widget_.get(); }

private:
    std::unique_ptr<QWidget> widget_;
};

// The widget of a slot's window, of the type it was built with (null when not built).
template <typename T>
T* ModelessWidget(const ModelessDialogSlot& slot) {
    auto* window = dynamic_cast<QtModelessWindow*>(slot.Window());
    return window ? dynamic_cast<T*>(window->Widget()) : nullptr;
}

}  // namespace vantrel
