#include "device_type_model.h"

#include "setup_dialog_runner.h"
#include "vantrel/link/board_link.h"

namespace vantrel {

const std::array<DeviceRow, 7>& DeviceRows() {
    static const std::array<DeviceRow, 7> rows = {{
        {"IXEN104", true, true, true},
        {"IXEN104+", true, true, true},
        {"IXEN-SERD", false, false, true},
        {"IXEN-SER", false, true, false},
        {"PELLON", true, true, false},
        {"PELLON+", false, true, true},
        {"KELVAR", false, false, true},
    }};
    return rows;
}

DeviceTypeModel::DeviceTypeModel(SetupContext& ctx, ISetupDialogRunner& runner) : ctx_(ctx), runner_(runner) {
    ctx_.link.settings.BoardWriteAddress = 0x12;
    ctx_.link.settings.BoardReadAddress = 0x13;
    choice_ = ctx_.link.settings.FirmwareType == FirmwareType::UPS18 ? 1 : 0;
}

bool DeviceTypeModel::RowEnabled(int index) const {
    if (index < 0 || index >= static_cast<int>(DeviceRows().size())) return false;
    const DeviceRow& row = DeviceRows()[static_cast<std::size_t>(index)];
    return ctx_.link.settings.FirmwareType == FirmwareType::UPS18 ? row.enabledUps18 : row.enabledUps16;
}

void DeviceTypeModel::SetChoice(int index) {
    if (RowEnabled(index)) choice_ = index;
}

DialogStep DeviceTypeModel::Next() {
    if (DeviceRows()[static_cast<std::size_t>(choice_)].pc104)
        runner_.RunPc104Settings();
    else
        runner_.RunComPortSelection();
    return DialogStep::EndOk;
}

}  // namespace vantrel
