#include "editor_dialog.h"

#include "vantrel/editors/model/bit_mask_editor.h"
#include "vantrel/editors/model/temperature_editors.h"

namespace vantrel {

ModalRunner& EditorModalRunner() {
    static ModalRunner runner = [](RowTableDialog& dialog) { dialog.exec(); };
    return runner;
}

EditorDialog::EditorDialog(std::unique_ptr<TableEditor> editor, int32_t* openFlag, bool modal)
    : RowTableDialog(editor->Table()), editor_(std::move(editor)), openFlag_(openFlag), modal_(modal) {
    QtRowTableView& view = View();
    TableEditor& model = *editor_;
    view.handlers.textEdited = [&model](int row, const std::string& text) { model.TextEdited(row, text); };
    view.handlers.editFinished = [&model](int row) { model.EditFinished(row); };
    view.handlers.checkToggled = [&model](int row, bool checked) { model.CheckToggled(row, checked); };
    view.handlers.rowButton = [this](int row) { OpenRowDialog(row); };
    view.handlers.button = [this](int button) { OnButton(button); };
    onDismiss = [this] { OnDismiss(); };
    model.Attach(&view);
    model.Opened();
}

EditorDialog::~EditorDialog() { editor_->Attach(nullptr); }

void EditorDialog::OnButton(int button) {
    // Modal dialogs have one button: their close.
    if (modal_ || button == TableEditor::kCloseButton) {
        if (!editor_->Close()) return;
        if (modal_) {
            accept();
        } else {
            hide();
        }
        return;
    }
    if (button == TableEditor::kReadButton) editor_->Read();
    if (button == TableEditor::kWriteButton) editor_->Write();
}

void EditorDialog::OnDismiss() {
    if (!editor_->Dismiss()) return;
    if (modal_) {
        accept();
        return;
    }
    if (editor_->RebuiltAfterDismiss() && openFlag_ != nullptr) *openFlag_ = 0;
    hide();
}

void EditorDialog::OpenRowDialog(int row) {
    std::unique_ptr<TableEditor> sub = editor_->MaskEditorFor(row);
    if (!sub) sub = editor_->SensorEditorFor(row);
    if (!sub) return;
    EditorDialog dialog(std::move(sub), nullptr, true);
    dialog.setWindowModality(Qt::ApplicationModal);
    EditorModalRunner()(dialog);
}

}  // namespace vantrel
