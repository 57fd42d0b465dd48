#include "cycle_editor.h"

#include "bit_mask_editor.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/transfer_plan.h"

namespace vantrel {
namespace {

struct CycleRowText {
    const char* unit;
    const char* description;
};

// Rows 4 to 16 of the dialog: cycle fields 3 to 15.
const CycleRowText kFieldRows[] = {
    {" 0..65535 / mV", " Maximum Battery Charging Voltage"},
    {" 0..65535 / Min", " Maximum Time Since Peak Battery Voltage Detected"},
    {" 0..65535 / mV", " Charge Termination Negative Delta V"},
    {" 0..65535 / Min", " Maximum Time For Charge Cycle"},
    {" 0..65535 / mA", " Minimum Charge Current Allowed"},
    {" 0..65535 / mA", " Maximum Charge Current Allowed"},
    {" 0..65535 / Min", " Minimum Time Before Charge Termination Allowed"},
    {" 0..65535/mV/degK", " Temperature Compensation Applied to BattVDef"},
    {" 0..65535 / mV", " Charging Voltage Setpoint"},
    {" 0..65535 / mA", " Charging Current Setpoint"},
    {" 0..6553.5/0.1K/min", " Maximum Rate of Battery Temp Increase Allowed"},
    {" 0..65535 / mA", " Trickle Charge Current if Below Min Temp or Voltage"},
    {" 0..65535 / Min", " Maximum Time Allowed in Trickle Charge Mode"},
};

constexpr int kLastCycle = 3;

RowTable CycleTable(int cycle) {
    RowTable table;
    table.caption = "Cycle " + std::to_string(cycle + 1);
    table.buttons = {"&Read", "&Write", "&Close"};

    RowSpec termination;
    termination.control = RowControl::CheckAndButton;
    termination.controlText = "Ch Term";
    termination.unitLabel = " Setup";
    termination.description = " Minimum Battery Charging Temperature";
    table.rows.push_back(termination);

    table.rows.push_back(FieldRowSpec(CycleField(cycle, 1), "0..65535 / 10 mW", "Battery Maximum Capacity Allowed"));

    RowSpec future;
    future.description = cycle == kLastCycle ? "" : " Future Use";
    future.enabled = false;
    table.rows.push_back(future);

    for (int field = CycleEditor::kFirstFieldRow; field < CycleRecord::kFieldCount; ++field) {
        const CycleRowText& text = kFieldRows[field - CycleEditor::kFirstFieldRow];
        RowSpec row = FieldRowSpec(CycleField(cycle, field), text.unit, text.description);
        row.commitsOnTyping = true;
        table.rows.push_back(row);
    }
    return table;
}

std::vector<RowBinding> CycleBindings(EditorContext& context, int cycle) {
    std::vector<RowBinding> bindings(CycleEditor::kRowCount);
    RowBinding capacity = FieldBinding(context.record, CycleField(cycle, 1));
    // Other firmware has no capacity field: the edit keeps what it holds, but is saved.
    const auto load = capacity.load;
    capacity.load = [&context, load]() -> std::optional<double> {
        if (context.Firmware() != FirmwareType::UPS18) return std::nullopt;
        return load();
    };
    bindings[CycleEditor::kCapacityRow] = capacity;
    for (int field = CycleEditor::kFirstFieldRow; field < CycleRecord::kFieldCount; ++field) {
        bindings[static_cast<std::size_t>(field)] = FieldBinding(context.record, CycleField(cycle, field));
    }
    return bindings;
}

}  // namespace

CycleEditor::CycleEditor(EditorContext& context, int cycle)
    : TableEditor(context, CycleTable(cycle), CycleBindings(context, cycle)), cycle_(cycle) {}

void CycleEditor::Opened() {
    SetProgressRange(1, kProgressLast);
    SetProgressPosition(1);
    SetChecked(kTerminationRow, true);
    TableEditor::Opened();
}

void CycleEditor::ApplyFirmware() { SetRowEnabled(kCapacityRow, context_.Firmware() == FirmwareType::UPS18); }

void CycleEditor::CheckToggled(int row, bool checked) {
    TableEditor::CheckToggled(row, checked);
    if (row == kTerminationRow) SetControlEnabled(kTerminationRow, checked);
}

std::unique_ptr<BitMaskEditor> CycleEditor::MaskEditorFor(int row) {
    if (row != kTerminationRow || !Checked(kTerminationRow)) return nullptr;
    return TerminationEditor(context_, cycle_);
}

std::optional<TransferPlan> CycleEditor::Group() {
    return CycleEditorPlan(record_, cycle_, context_.Firmware());
}

}  // namespace vantrel
