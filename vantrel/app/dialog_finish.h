#pragma once
#include <QDialog>

#include "setup_context.h"

namespace vantrel {

// Ends a dialog after a handler's step: OK, Cancel, or not at all.
inline void FinishDialog(QDialog& dialog, DialogStep step) {
    if (step == DialogStep::EndOk)
        dialog.accept();
    else if (step == DialogStep::EndCancel)
        dialog.reject();
}

inline DialogEnd EndOf(int dialogResult) {
    return dialogResult == QDialog::Accepted ? DialogEnd::Ok : DialogEnd::Cancel;
}

}  // namespace vantrel
