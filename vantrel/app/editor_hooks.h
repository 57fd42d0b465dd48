#pragma once
#include <functional>
#include <vector>

namespace vantrel {

// What the configuration editors do when something outside them changes the
// record or the link settings. Each editor registers itself when it is built and
// decides on its own whether it has been opened.
class EditorHooks {
public:
    using Hook = std::function<void()>;

    // After File Open and before the wizard of File New: reload fields from the record.
    void OnReloadFromRecord(Hook hook) { reload_.push_back(std::move(hook)); }
    // After a port dialog's OK and Advanced Setup's Apply: FirmwareType may have changed.
    void OnLinkSetupChanged(Hook hook) { setupChanged_.push_back(std::move(hook)); }
    // After Advanced Setup's Apply only.
    void OnAdvancedApply(Hook hook) { advancedApply_.push_back(std::move(hook)); }

    void ReloadFromRecord() const { RunAll(reload_); }
    void LinkSetupChanged() const { RunAll(setupChanged_); }
    void AdvancedApplied() const { RunAll(advancedApply_); }

private:
    static void RunAll(const std::vector<Hook>& hooks) {
        for (const auto& hook : hooks)
            if (hook) hook();
    }
    std::vector<Hook> reload_;
    std::vector<Hook> setupChanged_;
    std::vector<Hook> advancedApply_;
};

}  // namespace vantrel
