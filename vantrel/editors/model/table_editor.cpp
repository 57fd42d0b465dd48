#include "table_editor.h"

#include <algorithm>
#include <cctype>

#include "bit_mask_editor.h"
#include "temperature_editors.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/field_codec.h"
#include "vantrel/editors/rows/row_entry.h"

namespace vantrel {
namespace {

constexpr uint8_t kMaxBatteryCapacityOffset = 0xFA;
constexpr uint8_t kRemainingCapacityOffset = 0xFC;
constexpr uint8_t kTimeToRechargeOffset = 0xFE;

}  // namespace

RowSpec FieldRowSpec(const FieldDescriptor& field, const std::string& unit, const std::string& description) {
    RowSpec row;
    row.unitLabel = unit;
    row.description = description;
    row.minimum = field.minimum;
    row.maximum = field.maximum;
    row.digitsOnly = field.kind != FieldKind::Tenths;
    // Counters and capacities are read as integers (the time to recharge, like
    // the doubles, as a number); the two capacity words of the setpoints also
    // say so in their range message.
    const bool integer = field.area == FieldArea::Slot ||
                         (field.area == FieldArea::Extra && field.offset != kTimeToRechargeOffset) ||
                         (field.area == FieldArea::Cycle && field.kind == FieldKind::Integer && !field.hex);
    row.kind = integer ? ValueKind::Integer : ValueKind::Number;
    if (field.area == FieldArea::Extra && (field.offset == kMaxBatteryCapacityOffset ||
                                           field.offset == kRemainingCapacityOffset)) {
        row.wording = RangeWording::Integer;
    }
    return row;
}

RowEntry ReadFieldEntry(const FieldDescriptor& field, const std::string& text) {
    const RowSpec row = FieldRowSpec(field, "", "");
    const bool hexText = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (field.hex && hexText) {
        RowSpec hex = row;
        hex.kind = ValueKind::Hex;
        return ReadRowEntry(hex, text);
    }
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (row.digitsOnly && !digits) return {std::nullopt, NotANumberText(row.kind)};
    return ReadRowEntry(row, text);
}

RowBinding FieldBinding(ConfigFields& fields, const FieldDescriptor& field) {
    RowBinding binding;
    binding.load = [&fields, &field] { return std::optional<double>(FieldValue(field, fields)); };
    // Checked values lie within the field's bounds, so every store fits its field.
    binding.store = [&fields, &field](double value) {
        std::visit(
            [value](auto* target) {
                using Target = std::remove_pointer_t<decltype(target)>;
                *target = static_cast<Target>(value);
            },
            field.Locate(fields));
    };
    return binding;
}

TableEditor::TableEditor(EditorContext& context, RowTable table, std::vector<RowBinding> bindings)
    : context_(context), record_(context.record), table_(std::move(table)), bindings_(std::move(bindings)) {
    const std::size_t rows = table_.rows.size();
    bindings_.resize(rows);
    texts_.resize(rows);
    checked_.resize(rows, false);
    controlEnabled_.resize(rows, true);
    readOnly_.resize(rows, false);
    buttonEnabled_.resize(table_.buttons.size(), true);
}

void TableEditor::Attach(IRowTableView* view) {
    view_ = view;
    if (view_ == nullptr) return;
    for (int row = 0; row < static_cast<int>(table_.rows.size()); ++row) {
        const RowSpec& rowSpec = table_.rows[static_cast<std::size_t>(row)];
        view_->SetRowText(row, texts_[static_cast<std::size_t>(row)]);
        view_->SetRowChecked(row, checked_[static_cast<std::size_t>(row)]);
        view_->SetUnitLabel(row, rowSpec.unitLabel);
        view_->SetDescription(row, rowSpec.description);
        view_->SetRowEnabled(row, rowSpec.enabled);
        if (!controlEnabled_[static_cast<std::size_t>(row)]) view_->SetControlEnabled(row, false);
        view_->SetRowReadOnly(row, readOnly_[static_cast<std::size_t>(row)]);
    }
    for (int button = 0; button < static_cast<int>(buttonEnabled_.size()); ++button) {
        view_->SetButtonEnabled(button, buttonEnabled_[static_cast<std::size_t>(button)]);
    }
    view_->SetProgressRange(progressLow_, progressHigh_);
    view_->SetProgressPosition(progressPosition_);
}

void TableEditor::Opened() {
    if (buttonEnabled_.size() > kWriteButton) SetButtonEnabled(kWriteButton, record_.writeEnableFlag == 1);
    ApplyFirmware();
    LoadFromRecord();
}

bool TableEditor::IsActive(int row) const {
    const RowBinding& binding = bindings_[static_cast<std::size_t>(row)];
    return !binding.active || binding.active();
}

void TableEditor::LoadFromRecord() {
    for (int row = 0; row < static_cast<int>(bindings_.size()); ++row) {
        const RowBinding& binding = bindings_[static_cast<std::size_t>(row)];
        if (!binding.load || !IsActive(row)) continue;
        if (const std::optional<double> value = binding.load()) SetText(row, FormatNumber(*value));
    }
}

SaveResult TableEditor::SaveToRecord(bool stopAtFailure) {
    SaveResult result;
    for (int row = 0; row < static_cast<int>(bindings_.size()); ++row) {
        const RowBinding& binding = bindings_[static_cast<std::size_t>(row)];
        if (!binding.store || !IsActive(row)) continue;
        const RowEntry entry = ReadRowEntry(table_.rows[static_cast<std::size_t>(row)], Text(row));
        if (entry.Ok()) {
            binding.store(*entry.value);
            continue;
        }
        if (result.Ok()) result = {row, entry.message};
        if (stopAtFailure) break;
    }
    if (!result.Ok()) context_.prompter.Message(result.message);
    return result;
}

void TableEditor::TextEdited(int row, const std::string& text) {
    texts_.at(static_cast<std::size_t>(row)) = text;
    if (table_.rows[static_cast<std::size_t>(row)].commitsOnTyping) SaveToRecord();
}

void TableEditor::CheckToggled(int row, bool checked) { checked_.at(static_cast<std::size_t>(row)) = checked; }

std::unique_ptr<BitMaskEditor> TableEditor::MaskEditorFor(int) { return nullptr; }
std::unique_ptr<SensorEditor> TableEditor::SensorEditorFor(int) { return nullptr; }

int TableEditor::RunGroup(int direction) {
    std::optional<TransferPlan> group = Group();
    if (!group) return 1;
    TransferSession session = context_.Session();
    return RunTransfer(session, *this, *group, direction);
}

int TableEditor::Read() { return RunGroup(kRead); }
int TableEditor::Write() { return RunGroup(kWrite); }

bool TableEditor::Close() { return SaveToRecord().Ok(); }

bool TableEditor::Dismiss() {
    SaveToRecord(false);
    return true;
}

void TableEditor::SetText(int row, const std::string& text) {
    texts_.at(static_cast<std::size_t>(row)) = text;
    if (view_) view_->SetRowText(row, text);
}

void TableEditor::SetChecked(int row, bool checked) {
    checked_.at(static_cast<std::size_t>(row)) = checked;
    if (view_) view_->SetRowChecked(row, checked);
}

void TableEditor::SetRowEnabled(int row, bool enabled) {
    table_.rows.at(static_cast<std::size_t>(row)).enabled = enabled;
    if (view_) view_->SetRowEnabled(row, enabled);
}

void TableEditor::SetControlEnabled(int row, bool enabled) {
    controlEnabled_.at(static_cast<std::size_t>(row)) = enabled;
    if (view_) view_->SetControlEnabled(row, enabled);
}

void TableEditor::SetRowReadOnly(int row, bool readOnly) {
    readOnly_.at(static_cast<std::size_t>(row)) = readOnly;
    if (view_) view_->SetRowReadOnly(row, readOnly);
}

void TableEditor::SetLabels(int row, const std::string& unit, const std::string& description) {
    RowSpec& rowSpec = table_.rows.at(static_cast<std::size_t>(row));
    rowSpec.unitLabel = unit;
    rowSpec.description = description;
    if (view_) {
        view_->SetUnitLabel(row, unit);
        view_->SetDescription(row, description);
    }
}

void TableEditor::SetButtonEnabled(int button, bool enabled) {
    buttonEnabled_.at(static_cast<std::size_t>(button)) = enabled;
    if (view_) view_->SetButtonEnabled(button, enabled);
}

void TableEditor::SetProgressRange(int low, int high) {
    progressLow_ = low;
    progressHigh_ = std::max(low, high);
    progressPosition_ = std::clamp(progressPosition_, progressLow_, progressHigh_);
    if (view_) view_->SetProgressRange(low, high);
}

void TableEditor::SetProgressPosition(int position) {
    progressPosition_ = position;
    if (view_) view_->SetProgressPosition(position);
}

void TableEditor::StepProgress() {
    progressPosition_ = std::min(progressPosition_ + 1, progressHigh_);
    if (view_) view_->StepProgress();
}

}  // namespace vantrel
