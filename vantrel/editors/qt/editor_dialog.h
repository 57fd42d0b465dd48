#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "vantrel/editors/model/table_editor.h"
#include "vantrel/editors/rows_qt/row_table_dialog.h"

namespace vantrel {

// Runs a modal sub-dialog (flag editors, sensor editors). The default runs its
// own event loop; tests replace it to act on the dialog and close it.
using ModalRunner = std::function<void(RowTableDialog& dialog)>;
ModalRunner& EditorModalRunner();

// A thin Qt dialog over one editor model: the row view shows the model, the
// user's actions go to it, and the buttons run its Read, Write and Close.
class EditorDialog : public RowTableDialog {
public:
    // openFlag: the record's open-dialog flag (null for modal dialogs).
    EditorDialog(std::unique_ptr<TableEditor> editor, int32_t* openFlag, bool modal = false);
    ~EditorDialog() override;

    TableEditor& Editor() { return *editor_; }

private:
    void OnButton(int button);
    void OnDismiss();
    void OpenRowDialog(int row);

    std::unique_ptr<TableEditor> editor_;
    int32_t* openFlag_;
    bool modal_;
};

}  // namespace vantrel
