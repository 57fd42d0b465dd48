#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "table_editor.h"

namespace vantrel {

// A modal dialog of check boxes over the bits of one record mask: box n shows
// bit n, and a click changes that bit at once.
class BitMaskEditor : public TableEditor {
public:
    // texts: one per bit from bit 0; closeText: the caption of its one button.
    BitMaskEditor(EditorContext& context, std::string caption, const std::vector<std::string>& texts, int32_t& mask,
                  std::string closeText);
    // A table whose first bitCount rows are the bit boxes.
    BitMaskEditor(EditorContext& context, RowTable table, int bitCount, int32_t& mask);

    // After a click changed bit n.
    std::function<void(int bit, bool set)> onBitChanged;

    void Opened() override;
    void CheckToggled(int row, bool checked) override;
    bool Close() override { return true; }
    bool Dismiss() override { return Close(); }

    int32_t Mask() const { return mask_; }
    int BitCount() const { return bitCount_; }

protected:
    int32_t& mask_;
    int bitCount_;
};

// "Temp Sensor Select": the sixteen polling bits of I2CDevEnDef and, with UPS
// firmware, the upper byte typed as "0x%X".
class TempSensorSelectEditor : public BitMaskEditor {
public:
    static constexpr int kMaskEditRow = 16;
    TempSensorSelectEditor(EditorContext& context, int32_t& mask);
    void Opened() override;
    bool Close() override;
};

// "Cycle N - Charge Termination" over cycle k's field 0 (k = 0..3).
std::unique_ptr<BitMaskEditor> TerminationEditor(EditorContext& context, int cycle);
// "Charging Flags" over 0x80: bit 7 hidden, bits 8 to 15 only with UPS18; bit 13 also
// switches the realtime clock console's enable flag.
std::unique_ptr<BitMaskEditor> ChargingFlagsEditor(EditorContext& context);
// "Extended Charging Flags" over 0x9E: bits 0 to 3, the rest "future".
std::unique_ptr<BitMaskEditor> ExtendedFlagsEditor(EditorContext& context);

}  // namespace vantrel
