#include "pc104_settings_dialog.h"

namespace vantrel {

Pc104SettingsDialog::Pc104SettingsDialog(SetupContext& ctx, QWidget* parent)
    : PortChoiceDialog(model_,
                       {.title = "IXEN-104 Settings",
                        .groupTitle = "PC-104",
                        .labels = {"PC-104 3&00h", "PC-104 3&10h", "PC-104 3&20h", "PC-104 3&60h"},
                        .autoselectText = "&Autoselect",
                        .okOffDuringAutoselect = false},
                       parent),
      model_(ctx) {
    Sync();
}

}  // namespace vantrel
