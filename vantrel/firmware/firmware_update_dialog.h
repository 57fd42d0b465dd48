#pragma once
#include <QDialog>

#include "firmware_update.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrel {

// The modal "FirmWare Update" dialog: a view over FirmwareUpdate. The worker's
// notices reach it as queued calls on the dialog's own thread.
class FirmwareUpdateDialog : public QDialog, public IFirmwareUpdateView {
    Q_OBJECT
public:
    FirmwareUpdateDialog(FirmwareUpdateContext context, QWidget* parent = nullptr);
    ~FirmwareUpdateDialog() override;

    FirmwareUpdate& Update() { return update_; }

    void SetBarRange(int minimum, int maximum) override;
    void ShowProgress(const FirmwareProgress& progress) override;
    void ShowState(FirmwareUpdateState state) override;

    // Escape and the close box do nothing while an update runs.
    void reject() override;

    QProgressBar* progressBar = nullptr;
    QLabel* percentText = nullptr;
    QLabel* bytesText = nullptr;
    QPushButton* startStopButton = nullptr;
    QPushButton* closeButton = nullptr;

private:
    FirmwareUpdate update_;
};

}  // namespace vantrel
