#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor_context.h"
#include "vantrel/config/run_transfer.h"
#include "vantrel/editors/rows/row_entry.h"
#include "vantrel/editors/rows/row_table.h"
#include "vantrel/editors/rows/row_table_view.h"

namespace vantrel {

struct FieldDescriptor;

// What an edit row moves between its text and the record.
struct RowBinding {
    // The record's value; nothing when the edit keeps what it holds.
    std::function<std::optional<double>()> load;
    // Takes a checked value into the record; empty for rows that are not saved.
    std::function<void(double)> store;
    // False: the row is neither loaded nor saved just now.
    std::function<bool()> active;
};

// A row rowSpec and binding for an EEPROM map field: its kind and bounds come
// from the field's descriptor, the texts from the dialog.
RowSpec FieldRowSpec(const FieldDescriptor& field, const std::string& unit, const std::string& description);
RowBinding FieldBinding(ConfigFields& fields, const FieldDescriptor& field);
// Text for a field read as its editor row reads it, where the row's edit would
// refuse any character that is not a digit; flag words and masks also take
// "0x" hexadecimal. For the command line, which has no edit to refuse keys.
RowEntry ReadFieldEntry(const FieldDescriptor& field, const std::string& text);
// A binding on a plain integer of the record.
template <typename T>
RowBinding IntegerBinding(T& value) {
    return {[&value] { return std::optional<double>(static_cast<double>(value)); },
            [&value](double v) { value = static_cast<T>(v); }, {}};
}

class BitMaskEditor;
class SensorEditor;

// The result of reading an editor's edits into the record.
struct SaveResult {
    int failedRow = -1;  // the first row whose text failed its check
    std::string message;
    bool Ok() const { return failedRow < 0; }
};

// An editor: a table of rows with its own copy of each edit's text, the
// check-box states, the progress bar and the rules that move values between
// the texts and the record. A view, when attached, mirrors it; without one the
// editor runs the same way (the command line and the tests use it so).
class TableEditor : public ITransferDialog {
public:
    static constexpr int kReadButton = 0;
    static constexpr int kWriteButton = 1;
    static constexpr int kCloseButton = 2;

    TableEditor(EditorContext& context, RowTable table, std::vector<RowBinding> bindings);

    const RowTable& Table() const { return table_; }
    // Shows the editor's current state in the view and mirrors it from now on (nullptr detaches).
    void Attach(IRowTableView* view);
    // The dialog was opened: enabling, labels, progress, LoadFromRecord.
    virtual void Opened();
    // FirmwareType may have changed: enabling and labels again, without reloading.
    virtual void ApplyFirmware() {}

    void LoadFromRecord();
    // Reads the edits in row order; stops at the first failing row unless told
    // not to (then every row that passes is taken). Shows the first message.
    SaveResult SaveToRecord(bool stopAtFailure = true);

    // The user typed in an edit: rows that commit on typing save at once.
    void TextEdited(int row, const std::string& text);
    virtual void CheckToggled(int row, bool checked);
    virtual void EditFinished(int) {}
    // The mask editor or sensor editor a row's button opens, if any.
    virtual std::unique_ptr<BitMaskEditor> MaskEditorFor(int row);
    virtual std::unique_ptr<SensorEditor> SensorEditorFor(int row);

    virtual int Read();
    virtual int Write();
    // "&Close": true when the values were taken and the dialog may hide.
    virtual bool Close();
    // Escape or the close box: saves what passes; true when the dialog may hide.
    virtual bool Dismiss();
    // Whether a dismissed dialog is built afresh on the next menu choice.
    virtual bool RebuiltAfterDismiss() const { return false; }

    std::string Text(int row) const { return texts_.at(static_cast<std::size_t>(row)); }
    void SetText(int row, const std::string& text);
    bool Checked(int row) const { return checked_.at(static_cast<std::size_t>(row)); }
    void SetChecked(int row, bool checked);
    bool RowEnabled(int row) const { return table_.rows.at(static_cast<std::size_t>(row)).enabled; }
    void SetRowEnabled(int row, bool enabled);
    void SetControlEnabled(int row, bool enabled);
    bool ControlEnabled(int row) const { return controlEnabled_.at(static_cast<std::size_t>(row)); }
    void SetRowReadOnly(int row, bool readOnly);
    bool RowReadOnly(int row) const { return readOnly_.at(static_cast<std::size_t>(row)); }
    void SetLabels(int row, const std::string& unit, const std::string& description);
    bool ButtonEnabled(int button) const { return buttonEnabled_.at(static_cast<std::size_t>(button)); }
    void SetButtonEnabled(int button, bool enabled);

    // ITransferDialog
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void StepProgress() override;
    void CopyFieldsToRecord() override { SaveToRecord(); }
    void RefreshFromRecord() override { LoadFromRecord(); }
    int ProgressLow() const { return progressLow_; }
    int ProgressHigh() const { return progressHigh_; }
    int ProgressPosition() const { return progressPosition_; }

protected:
    // The group an editor's Read and Write move with RunTransfer.
    virtual std::optional<TransferPlan> Group() { return std::nullopt; }
    int RunGroup(int direction);
    bool IsActive(int row) const;

    EditorContext& context_;
    CConfigData& record_;
    RowTable table_;
    std::vector<RowBinding> bindings_;

private:
    IRowTableView* view_ = nullptr;
    std::vector<std::string> texts_;
    std::vector<bool> checked_;
    std::vector<bool> controlEnabled_;
    std::vector<bool> readOnly_;
    std::vector<bool> buttonEnabled_;
    int progressLow_ = 1;
    int progressHigh_ = 1;
    int progressPosition_ = 1;
};

}  // namespace vantrel
