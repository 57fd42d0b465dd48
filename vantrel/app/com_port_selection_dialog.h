#pragma once
#include <QDialog>
#include <array>

#include "com_port_selection_model.h"

class QRadioButton;
class QPushButton;

namespace vantrel {

// "COM Port Selection" (modal).
class ComPortSelectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortSelectionDialog(SetupContext& ctx, QWidget* parent = nullptr);

    ComPortSelectionModel& Model() { return model_; }
    void ChoosePort(int index);  // 0 to 7, as a click would

    std::array<QRadioButton*, 8> ports{};
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* autoselectButton = nullptr;

public Q_SLOTS:
    void OnOk();
    void OnCancel();
    void OnAutoselect();

private:
    void Sync();
    ComPortSelectionModel model_;
};

}  // namespace vantrel
