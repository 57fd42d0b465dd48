#pragma once
#include <QDialog>

#include "firmware_version_model.h"

class QRadioButton;
class QPushButton;

namespace vantrel {

// "Firmware Version" (modal), the first page of Init > Setup.
class FirmwareVersionDialog : public QDialog {
    Q_OBJECT
public:
    FirmwareVersionDialog(SetupContext& ctx, ISetupDialogRunner& runner, int& choice, QWidget* parent = nullptr);

    FirmwareVersionModel& Model() { return model_; }
    QRadioButton* ups16 = nullptr;
    QRadioButton* ups18 = nullptr;
    QRadioButton* ospren = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* quickConnectButton = nullptr;
    QPushButton* closeButton = nullptr;

public Q_SLOTS:
    void OnNext();
    void OnQuickConnect();
    void OnClose();

private:
    FirmwareVersionModel model_;
};

}  // namespace vantrel
