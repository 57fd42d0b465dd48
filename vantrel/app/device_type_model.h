#pragma once
#include <array>

#include "setup_context.h"

namespace vantrel {

class ISetupDialogRunner;

struct DeviceRow {
    const char* name;
    bool pc104;          // leads to "IXEN-104 Settings", otherwise "COM Port Selection"
    bool enabledUps16;   // FirmwareType::UPS
    bool enabledUps18;   // FirmwareType::UPS18
};

// The "Device List" rows; the index is the choice.
const std::array<DeviceRow, 7>& DeviceRows();

// "Device Type", the second page of the guided setup.
class DeviceTypeModel {
public:
    // Resets the board addresses to 0x12/0x13 and checks the firmware's default row.
    DeviceTypeModel(SetupContext& ctx, ISetupDialogRunner& runner);

    bool RowEnabled(int index) const;
    int Choice() const { return choice_; }
    void SetChoice(int index);

    // Runs the chosen row's dialog; whatever it returns, the page ends with OK.
    DialogStep Next();
    DialogStep Cancel() { return DialogStep::EndCancel; }

private:
    SetupContext& ctx_;
    ISetupDialogRunner& runner_;
    int choice_ = 0;
};

}  // namespace vantrel
