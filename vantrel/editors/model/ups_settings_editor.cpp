#include "ups_settings_editor.h"

#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/transfer_plan.h"

namespace vantrel {
namespace {

const char* const kDescriptions[UpsSettingsEditor::kRowCount] = {
    " Main Power Shut Down Debounce Counter",
    " Main Power Start Up Debounce Counter",
    " Main Power Shut Down Counter",
    " Main Power Start Up Counter",
    " Ignition Shut Down Debounce Counter",
    " Ignition Start Up Debounce Counter",
    " Ignition Shut Down Counter",
    " Ignition Start Up Counter",
    " Push Button Shut Down Counter",
    " Push Button Start Up Counter",
    " Battery Low Shut Down Counter",
    " SD Startup Delay",
    " Shutdown Delay for Alarm Temperature Condition",
    " Start-up Delay for Return to Normal Condition",
    " Power Supply Status Command Shut Down Counter",
    " Power Supply Status Command Start Up Counter",
};

constexpr int kFirstUpsSlot = 8;
constexpr int kLastUpsSlot = 11;
constexpr uint8_t kExtraOffsets[] = {0xF8, 0xEA, 0xEC, 0xE6, 0xE8};
constexpr int kLastTypingRow = 14;  // rows 1 to 15 save on typing
constexpr int kFirstUpsOnlyRow = 12;  // rows 13 to 15 need UPS firmware to be enabled
constexpr int kLastUpsOnlyRow = 14;

const FieldDescriptor& RowField(int row) {
    if (row < UpsSettingsEditor::kFirstExtraRow) {
        return SlotField(kFirstUpsSlot + row / SlotRecord::kWordCount, row % SlotRecord::kWordCount);
    }
    return *FindField(FieldArea::Extra, kExtraOffsets[row - UpsSettingsEditor::kFirstExtraRow]);
}

RowTable UpsTable() {
    RowTable table;
    table.caption = "UPS Settings";
    table.buttons = {"&Read", "&Write", "&Close"};
    for (int row = 0; row < UpsSettingsEditor::kRowCount; ++row) {
        RowSpec rowSpec = FieldRowSpec(RowField(row), "0..65535 / Sec", kDescriptions[row]);
        rowSpec.commitsOnTyping = row <= kLastTypingRow;
        table.rows.push_back(rowSpec);
    }
    return table;
}

std::vector<RowBinding> UpsBindings(EditorContext& context) {
    std::vector<RowBinding> bindings;
    for (int row = 0; row < UpsSettingsEditor::kRowCount; ++row) {
        RowBinding binding = FieldBinding(context.record, RowField(row));
        if (row >= UpsSettingsEditor::kFirstExtraRow) {
            binding.active = [&context] { return context.Firmware() != FirmwareType::Standard; };
        }
        bindings.push_back(binding);
    }
    return bindings;
}

}  // namespace

UpsSettingsEditor::UpsSettingsEditor(EditorContext& context) : TableEditor(context, UpsTable(), UpsBindings(context)) {}

void UpsSettingsEditor::Opened() {
    SetProgressRange(1, kProgressLast);
    SetProgressPosition(1);
    TableEditor::Opened();
}

void UpsSettingsEditor::ApplyFirmware() {
    for (int row = kFirstUpsOnlyRow; row <= kLastUpsOnlyRow; ++row) {
        SetRowEnabled(row, context_.Firmware() != FirmwareType::Standard);
    }
}

int UpsSettingsEditor::Read() { return Transfer(kRead); }

int UpsSettingsEditor::Write() { return Transfer(kWrite); }

// The extra words first (stopping silently at their first failure), then the
// counters of slots 8 to 10 and words 0 and 1 of slot 11 through RunTransfer.
int UpsSettingsEditor::Transfer(int direction) {
    if (record_.CommBusy != 0) {
        context_.prompter.Message(texts::kCommunicationsInProgress);
        return 1;
    }
    if (direction == kWrite) SaveToRecord();
    record_.CommBusy = 1;
    context_.transfer.TransferUpsExtras(direction);
    record_.CommBusy = 0;
    // The group below first copies the edits into the record: show the words just
    // read, so that the copy does not put the old ones back.
    if (direction == kRead) LoadFromRecord();

    for (int slot = 0; slot < ConfigFields::kEepromSlotCount; ++slot) {
        record_.slots[static_cast<std::size_t>(slot)].direction = static_cast<uint8_t>(direction);
    }
    TransferPlan counters = SlotsPlan(record_, kFirstUpsSlot, kLastUpsSlot);
    counters.steps.pop_back();  // slot 11 word 2 is not a counter
    TransferSession session = context_.Session();
    return RunTransfer(session, *this, counters, direction);
}

}  // namespace vantrel
