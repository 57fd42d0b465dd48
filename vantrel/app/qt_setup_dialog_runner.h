#pragma once
#include <QPointer>
#include <QWidget>

#include "setup_dialog_runner.h"

namespace vantrel {

// Runs the guided setup's dialogs modally, each a child of the one before.
class QtSetupDialogRunner : public ISetupDialogRunner {
public:
    // firmwareChoice: the Firmware Version choice kept for the whole run.
    QtSetupDialogRunner(SetupContext& ctx, int& firmwareChoice, QWidget* mainWindow)
        : ctx_(ctx), firmwareChoice_(firmwareChoice), mainWindow_(mainWindow) {}

    DialogEnd RunFirmwareVersion() override;
    DialogEnd RunDeviceType() override;
    DialogEnd RunComPortSelection() override;
    DialogEnd RunPc104Settings() override;

private:
    QWidget* Parent() const;
    SetupContext& ctx_;
    int& firmwareChoice_;
    QPointer<QWidget> mainWindow_;
};

}  // namespace vantrel
