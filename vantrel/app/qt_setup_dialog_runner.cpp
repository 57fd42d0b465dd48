#include "qt_setup_dialog_runner.h"

#include <QApplication>

#include "com_port_selection_dialog.h"
#include "device_type_dialog.h"
#include "dialog_finish.h"
#include "firmware_version_dialog.h"
#include "pc104_settings_dialog.h"

namespace vantrel {

QWidget* QtSetupDialogRunner::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_.data();
}

DialogEnd QtSetupDialogRunner::RunFirmwareVersion() {
    FirmwareVersionDialog dialog(ctx_, *this, firmwareChoice_, Parent());
    return EndOf(dialog.exec());
}

DialogEnd QtSetupDialogRunner::RunDeviceType() {
    DeviceTypeDialog dialog(ctx_, *this, Parent());
    return EndOf(dialog.exec());
}

DialogEnd QtSetupDialogRunner::RunComPortSelection() {
    ComPortSelectionDialog dialog(ctx_, Parent());
    return EndOf(dialog.exec());
}

DialogEnd QtSetupDialogRunner::RunPc104Settings() {
    Pc104SettingsDialog dialog(ctx_, Parent());
    return EndOf(dialog.exec());
}

}  // namespace vantrel
