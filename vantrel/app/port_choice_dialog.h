#pragma once
#include <QDialog>
#include <QStringList>
#include <vector>

#include "port_choice_model.h"

class QRadioButton;
class QPushButton;

namespace vantrel {

// The port pages' shape (modal): one group of radio buttons beside OK, Cancel and Autoselect.
class PortChoiceDialog : public QDialog {
    Q_OBJECT
public:
    std::vector<QRadioButton*> choices;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* autoselectButton = nullptr;

public Q_SLOTS:
    void OnOk();
    void OnCancel();
    void OnAutoselect();

protected:
    struct Page {
        const char* title;
        const char* groupTitle;
        QStringList labels;
        const char* autoselectText;
        bool okOffDuringAutoselect;  // OK shows disabled while the search and its message run
    };
    // The model is the derived dialog's member, not built yet: the derived
    // constructor calls Sync() once it is.
    PortChoiceDialog(PortChoiceModel& model, const Page& page, QWidget* parent);

    void Choose(int index);
    void Sync();

private:
    PortChoiceModel& model_;
    const bool okOffDuringAutoselect_;
};

}  // namespace vantrel
