#pragma once
#include "table_editor.h"

namespace vantrel {

// "Cycle 1" to "Cycle 4": one charge cycle block of the record.
class CycleEditor : public TableEditor {
public:
    // Rows, top to bottom; row r + 1 of the dialog edits cycle field r + ... as listed.
    static constexpr int kTerminationRow = 0;  // "Ch Term" check box and button: field 0
    static constexpr int kCapacityRow = 1;     // field 1, UPS18 only
    static constexpr int kFutureUseRow = 2;    // field 2, never shown
    static constexpr int kFirstFieldRow = 3;   // fields 3 to 15 follow in order
    static constexpr int kRateRow = 13;        // field 13, tenths
    static constexpr int kRowCount = 16;
    static constexpr int kProgressLast = 14;

    CycleEditor(EditorContext& context, int cycle);  // cycle 0..3

    int Cycle() const { return cycle_; }
    void Opened() override;
    void ApplyFirmware() override;
    void CheckToggled(int row, bool checked) override;
    std::unique_ptr<BitMaskEditor> MaskEditorFor(int row) override;
    bool RebuiltAfterDismiss() const override { return true; }

protected:
    std::optional<TransferPlan> Group() override;

private:
    int cycle_;
};

}  // namespace vantrel
