#pragma once
#include "table_editor.h"

namespace vantrel {

// "UPS Settings": the UPS counters in slots 8 to 11 and, with UPS firmware,
// the extra words 0xF8, 0xEA, 0xEC, 0xE6 and 0xE8.
class UpsSettingsEditor : public TableEditor {
public:
    static constexpr int kRowCount = 16;
    static constexpr int kFirstExtraRow = 11;  // rows 12 to 16 of the dialog
    static constexpr int kProgressLast = 11;

    explicit UpsSettingsEditor(EditorContext& context);

    void Opened() override;
    void ApplyFirmware() override;
    int Read() override;
    int Write() override;

private:
    int Transfer(int direction);
};

}  // namespace vantrel
