#pragma once
#include <QDialog>
#include <array>

#include "device_type_model.h"

class QRadioButton;
class QPushButton;

namespace vantrel {

// "Device Type" (modal), the second page of Init > Setup.
class DeviceTypeDialog : public QDialog {
    Q_OBJECT
public:
    DeviceTypeDialog(SetupContext& ctx, ISetupDialogRunner& runner, QWidget* parent = nullptr);

    DeviceTypeModel& Model() { return model_; }
    // Checks a row as a click would.
    void ChooseRow(int index);

    std::array<QRadioButton*, 7> rows{};
    QPushButton* nextButton = nullptr;
    QPushButton* cancelButton = nullptr;

public Q_SLOTS:
    void OnNext();
    void OnCancel();

private:
    DeviceTypeModel model_;
};

}  // namespace vantrel
