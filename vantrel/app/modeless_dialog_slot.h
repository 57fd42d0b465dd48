#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace vantrel {

// The window of a modeless dialog, as the opening policy sees it.
class IModelessWindow {
public:
    virtual ~IModelessWindow() = default;
    virtual void Show() = 0;
    virtual void BringToFront() = 0;
};

// One modeless dialog of the menu: built on first use (or again after the
// dialog cleared its open flag), only shown and raised afterwards, so the values
// it holds survive while it is hidden.
class ModelessDialogSlot {
public:
    using Factory = std::function<std::unique_ptr<IModelessWindow>()>;

    // openFlag: the dialog's open-dialog flag; it must outlive the slot.
    explicit ModelessDialogSlot(int32_t* openFlag) : openFlag_(openFlag) {}

    // Filled by the part of the program that owns the dialog; until then Open does nothing.
    void SetFactory(Factory factory) { factory_ = std::move(factory); }
    bool HasFactory() const { return static_cast<bool>(factory_); }
    // Some dialogs also come to the front on their first showing.
    void SetBringToFrontOnFirstShow(bool value) { raiseFirst_ = value; }

    // Returns true when the window was built by this call.
    bool Open();
    // Builds the window without showing it, unless it is there already. True
    // when built by this call.
    bool Create();

    IModelessWindow* Window() const { return window_.get(); }
    // Built at least once in this run.
    bool Created() const { return window_ != nullptr; }
    int32_t OpenFlag() const { return *openFlag_; }

    // Destroys the window (program end).
    void Reset() { window_.reset(); }

private:
    int32_t* openFlag_;
    Factory factory_;
    std::unique_ptr<IModelessWindow> window_;
    bool raiseFirst_ = false;
};

}  // namespace vantrel
