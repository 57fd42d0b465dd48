#pragma once
#include "table_editor.h"

namespace vantrel {

// "EEprom Setpoints": the setpoint block and the words 0xFA, 0xFC, 0xFE.
class SetpointsEditor : public TableEditor {
public:
    // Rows, top to bottom (dialog row r is index r - 1).
    static constexpr int kChargingFlagsRow = 0;  // 0x80
    static constexpr int kShutDownRow = 1;       // 0x82
    static constexpr int kStartUpRow = 2;        // 0x84
    static constexpr int kCycleCountRow = 5;     // 0x89
    static constexpr int kPrimaryRow = 9;        // 0x90
    static constexpr int kSecondaryRow = 10;     // 0x91
    static constexpr int kSensorSelectRow = 12;  // 0x94
    static constexpr int kTimeToRechargeRow = 15;
    static constexpr int kExtendedFlagsRow = 16;  // 0x9E
    static constexpr int kRowCount = 17;
    static constexpr int kProgressLast = 17;

    explicit SetpointsEditor(EditorContext& context);

    void Opened() override;
    void ApplyFirmware() override;
    std::unique_ptr<BitMaskEditor> MaskEditorFor(int row) override;
    bool RebuiltAfterDismiss() const override { return true; }

protected:
    std::optional<TransferPlan> Group() override;
};

}  // namespace vantrel
