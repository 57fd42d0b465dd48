#pragma once
#include <array>
#include <functional>

#include "setup_context.h"

namespace vantrel {

struct ProgressState {
    int minimum = 1;
    int maximum = 21;
    int value = 1;
};

// "Advanced Setup": every link setting, with its own search. Built once per run;
// the controls' state below is what the dialog shows.
class AdvancedSetupModel {
public:
    static constexpr int kNoButton = -1;

    explicit AdvancedSetupModel(SetupContext& ctx) : ctx_(ctx) {}

    // The first opening: scans COM1 to COM8 and checks the buttons after the settings.
    void Open();

    // Port buttons by PortSelection value: 1..8 COM n, 10..13 PC/104.
    bool PortEnabled(int port) const;
    int checkedPort = 0;  // 0: none
    // Protocol buttons by protocol value 0..2; kNoButton: none checked.
    int checkedProtocol = kNoButton;
    bool noBusTimerEnabled = true;
    int checkedFirmware = kNoButton;
    std::array<bool, 3> firmwareEnabled{true, true, true};
    bool osprenChecked = false;
    bool debugOn = false;
    ProgressState progress;
    bool okEnabled = true;

    // Called after every probe of Auto Select, so the dialog can show its progress.
    std::function<void()> changed;

    // The user's actions.
    void ClickPort(int port);
    void ClickProtocol(int protocol);
    void ClickFirmware(int firmwareType);
    void ClickOspren();
    void ClickDebug(bool on);
    void AutoSelect();
    DialogStep Apply();

    // The "Select port" step: true when the port can be used.
    bool SelectPort(int port);

private:
    void UpdateAddressesAndDebug();
    void Changed() {
        if (changed) changed();
    }

    SetupContext& ctx_;
    std::array<bool, 8> comEnabled_{true, true, true, true, true, true, true, true};
};

}  // namespace vantrel
