#include "temperature_editors.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "vantrel/config/message_texts.h"
#include "vantrel/config/transfer_plan.h"
#include "vantrel/editors/rows/row_entry.h"

namespace vantrel {
namespace {

constexpr int kUpsSlotCount = 8;
constexpr int kActionTextLength = 6;
constexpr int kAddressWordBase = 0x100;
// Entries of the board command table holding the offsets 0x9A and 0x9C.
constexpr int kHighAlarmActionsEntry = 66;
constexpr int kNormalAlarmActionsEntry = 70;
constexpr int32_t kWordMask = 0xFFFF;

RowTable ControlTable() {
    RowTable table;
    table.caption = "Temperature Sensor Control";
    table.buttons = {"&Read", "&Write", "&Close"};
    for (int s = 0; s < TemperatureControlEditor::kSensorCount; ++s) {
        RowSpec row;
        row.control = RowControl::Button;
        row.controlText = "Temp " + std::to_string(s);
        row.unitLabel = " Setup";
        row.description = " I2C Temperature Sensor " + std::to_string(s);
        table.rows.push_back(row);
    }
    for (const char* description : {"Actions upon High Temperature Alarm", "Actions upon Normal Temperature"}) {
        RowSpec row;
        row.kind = ValueKind::Text;
        row.maxLength = kActionTextLength;
        row.unitLabel = "N/A";
        row.description = description;
        table.rows.push_back(row);
    }
    return table;
}

// The leading hexadecimal number of a text ("0x" or "0X" allowed), if it starts with one.
std::optional<long> LeadingHex(const std::string& text) {
    const char* start = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*start)) != 0) ++start;
    const char* digits = start;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits += 2;
    if (std::isxdigit(static_cast<unsigned char>(*digits)) == 0) return std::nullopt;
    return std::strtol(digits, nullptr, 16);
}

}  // namespace

TemperatureControlEditor::TemperatureControlEditor(EditorContext& context) : TableEditor(context, ControlTable(), {}) {}

void TemperatureControlEditor::Opened() {
    SetProgressRange(1, kProgressLast);
    SetProgressPosition(1);
    TableEditor::Opened();
    ShowActionWords();
}

void TemperatureControlEditor::ApplyFirmware() {
    const bool ups = context_.Firmware() != FirmwareType::Standard;
    for (int s = kUpsSlotCount; s < kSensorCount; ++s) SetRowEnabled(s, !ups);
    SetRowEnabled(kHighActionsRow, ups);
    SetRowEnabled(kNormalActionsRow, ups);
}

// "0X0003" for 3. Written out rather than as "%#06X", which drops the prefix for 0.
void TemperatureControlEditor::ShowActionWords() {
    char text[16];
    std::snprintf(text, sizeof text, "0X%04X", static_cast<unsigned>(record_.highAlarmActions & kWordMask));
    SetText(kHighActionsRow, text);
    std::snprintf(text, sizeof text, "0X%04X", static_cast<unsigned>(record_.normalAlarmActions & kWordMask));
    SetText(kNormalActionsRow, text);
}

// The two action texts keep at most six characters; false (with the message) when longer.
bool TemperatureControlEditor::CommitActionTexts() {
    for (int row : {kHighActionsRow, kNormalActionsRow}) {
        const RowEntry entry = ReadRowEntry(table_.rows[static_cast<std::size_t>(row)], Text(row));
        if (!entry.Ok()) {
            context_.prompter.Message(entry.message);
            return false;
        }
    }
    return true;
}

bool TemperatureControlEditor::Close() { return CommitActionTexts(); }

int TemperatureControlEditor::TransferSlots(int direction) {
    const bool ups = context_.Firmware() != FirmwareType::Standard;
    SetProgressRange(1, ups ? kUpsProgressLast : kProgressLast);
    const int slots = ups ? kUpsSlotCount : kSensorCount;
    // Every slot's flag is set; only the slots the firmware uses are moved.
    SlotsPlan(record_, 0, ConfigFields::kEepromSlotCount - 1).SetDirections(direction);
    TransferSession session = context_.Session();
    return RunTransfer(session, *this, SlotsPlan(record_, 0, slots - 1), direction);
}

int TemperatureControlEditor::TransferActionWords(int direction) {
    if (record_.CommBusy != 0) {
        context_.prompter.Message(texts::kCommunicationsInProgress);
        return 1;
    }
    record_.CommBusy = 1;
    IBoardTransactor& board = context_.transfer.Board();
    const BoardCommandTable& commands = record_.commands;
    const std::pair<int, int32_t*> words[] = {{kHighAlarmActionsEntry, &record_.highAlarmActions},
                                              {kNormalAlarmActionsEntry, &record_.normalAlarmActions}};
    int stop = 0;
    for (const auto& [entry, word] : words) {
        int32_t address[4] = {kAddressWordBase + commands[entry], 0, 0, 0};
        stop = board.Transact(board.WriteAddress(), commands[BoardCommandTable::kEepromAddress], address);
        if (stop != 0) break;
        int32_t data[4] = {direction == kRead ? 0 : (*word & kWordMask), 0, 0, 0};
        const uint8_t target = direction == kRead ? board.ReadAddress() : board.WriteAddress();
        const int result = board.Transact(target, commands[BoardCommandTable::kEepromData], data);
        if (result == 0 && direction == kRead) *word = data[0] & kWordMask;
        if (result == 1) {
            stop = result;
            break;
        }
        StepProgress();
    }
    if (stop != 0) context_.prompter.Message(texts::kUploadFailed);
    SetProgressPosition(0);
    record_.CommBusy = 0;
    return stop != 0 ? 1 : 0;
}

int TemperatureControlEditor::Read() {
    if (!CommitActionTexts()) return 1;
    if (TransferSlots(kRead) != 0) return 1;
    int result = 0;
    if (context_.Firmware() != FirmwareType::Standard) result = TransferActionWords(kRead);
    ShowActionWords();
    return result;
}

int TemperatureControlEditor::Write() {
    if (!CommitActionTexts()) return 1;
    if (TransferSlots(kWrite) != 0) return 1;
    // A text that does not start with a hexadecimal number, or one wider than a
    // word, leaves its word as it was.
    for (const auto& [row, word] : {std::pair{kHighActionsRow, &record_.highAlarmActions},
                                    std::pair{kNormalActionsRow, &record_.normalAlarmActions}}) {
        const std::optional<long> value = LeadingHex(Text(row));
        if (value && *value <= kWordMask) *word = static_cast<int32_t>(*value);
    }
    if (context_.Firmware() == FirmwareType::Standard) return 0;
    return TransferActionWords(kWrite);
}

std::unique_ptr<SensorEditor> TemperatureControlEditor::SensorEditorFor(int row) {
    if (row < 0 || row >= kSensorCount) return nullptr;
    return std::make_unique<SensorEditor>(context_, row);
}

// ---- Sensor editor ----

namespace {

constexpr int kAddressShift = 9;
constexpr int kReadWriteBit = 8;
constexpr int kByteMask = 0xFF;
constexpr int kAddressMaximum = 127;

RowSpec NumberRow(const char* unit, const char* description, double maximum) {
    RowSpec row;
    row.kind = ValueKind::Integer;
    row.wording = RangeWording::Integer;
    row.digitsOnly = true;
    row.maximum = maximum;
    row.unitLabel = unit;
    row.description = description;
    return row;
}

RowTable SensorTable(int slot) {
    RowTable table;
    table.caption = "Temperature Sensor/Controller " + std::to_string(slot);
    table.progress = false;
    table.buttons = {"Close"};
    const std::pair<const char*, const char*> bits[] = {
        {" Cmd Bit 0", " For TS-IC mode, UnCheck Cmd Bit 0 and Cmd Bit 1 "},
        {" Cmd Bit 1", ""},
        {" Bit", " TC-IC, Enable = Main Power, Disable = Battery Power"},
        {" Bit", " TC-IC, Enable = Limited Power Available (Main or Battery)"},
        {" Bit", " TC-IC, Enable = IXEN104 is in Timed Shutdown Mode"},
        {" Bit", " Enable Low Alarm Reporting"},
        {" Bit", " Enable High Alarm Reporting"},
        {" Bit", " Enable for TC-IC Mode, Disable for TS-IC Mode"},
    };
    for (const auto& [unit, description] : bits) {
        RowSpec row;
        row.control = RowControl::CheckBox;
        row.unitLabel = unit;
        row.description = description;
        table.rows.push_back(row);
    }
    table.rows.push_back(NumberRow(" 0..127 / Addr", " I2C Temperature Sensor Address", kAddressMaximum));
    RowSpec readWrite;
    readWrite.control = RowControl::CheckBox;
    readWrite.unitLabel = " R/W Bit";
    readWrite.description = " Address R/W, Enable For Read, Disable For Write";
    table.rows.push_back(readWrite);

    RowSpec tcIc;
    tcIc.control = RowControl::GroupTitle;
    tcIc.description = "TC-IC";
    table.rows.push_back(tcIc);
    table.rows.push_back(NumberRow(" 0..65535", " Setpoint value that will be sent", 65535));
    table.rows.push_back(NumberRow(" 0..255", " Relative Low Alarm Setting", kByteMask));
    table.rows.push_back(NumberRow(" 0..255", " Relative High Alarm Setting", kByteMask));
    RowSpec tsIc = tcIc;
    tsIc.description = "TS-IC";
    table.rows.push_back(tsIc);
    table.rows.push_back(NumberRow(" 0..65535", " Low Alarm Setting", 65535));
    table.rows.push_back(NumberRow(" 0..65535", " High Alarm Setting", 65535));
    return table;
}

}  // namespace

SensorEditor::SensorEditor(EditorContext& context, int slot)
    : TableEditor(context, SensorTable(slot), {}), slot_(slot) {}

void SensorEditor::Opened() {
    const auto& words = record_.slots[static_cast<std::size_t>(slot_)].words;
    command_ = words[0] & kByteMask;
    SetChecked(kReadWriteRow, (words[0] >> kReadWriteBit & 1) != 0);
    SetText(kAddressRow, std::to_string((words[0] & 0xFFFF) >> kAddressShift));
    const bool tcIc = TcIcMode();
    SetText(kSetpointRow, std::to_string(tcIc ? words[1] & 0xFFFF : 0));
    SetText(kRelativeLowRow, std::to_string(tcIc ? words[2] & kByteMask : 0));
    SetText(kRelativeHighRow, std::to_string(tcIc ? (words[2] >> 8) & kByteMask : 0));
    SetText(kLowAlarmRow, std::to_string(tcIc ? 0 : words[1] & 0xFFFF));
    SetText(kHighAlarmRow, std::to_string(tcIc ? 0 : words[2] & 0xFFFF));
    for (int bit = 0; bit <= kModeBit; ++bit) SetChecked(kFirstBitRow + bit, (command_ >> bit & 1) != 0);
    ApplyMode();
}

// The active mode's fields take typing; the other group shows its values read-only.
void SensorEditor::ApplyMode() {
    const bool tcIc = TcIcMode();
    for (int row : {kSetpointRow, kRelativeLowRow, kRelativeHighRow}) SetRowReadOnly(row, !tcIc);
    for (int row : {kLowAlarmRow, kHighAlarmRow}) SetRowReadOnly(row, tcIc);
}

void SensorEditor::CheckToggled(int row, bool checked) {
    TableEditor::CheckToggled(row, checked);
    if (row > kModeBitRow) return;
    const int bit = 1 << (row - kFirstBitRow);
    command_ = checked ? (command_ | bit) : (command_ & ~bit);
    if (row != kModeBitRow) return;
    // Switching the mode clears the fields of the group that becomes read-only.
    if (checked) {
        for (int r : {kLowAlarmRow, kHighAlarmRow}) SetText(r, "0");
    } else {
        for (int r : {kSetpointRow, kRelativeLowRow, kRelativeHighRow}) SetText(r, "0");
    }
    ApplyMode();
}

bool SensorEditor::Commit() {
    int values[kRowCount] = {};
    for (int row : {kAddressRow, kSetpointRow, kRelativeLowRow, kRelativeHighRow, kLowAlarmRow, kHighAlarmRow}) {
        const RowEntry entry = ReadRowEntry(table_.rows[static_cast<std::size_t>(row)], Text(row));
        if (!entry.Ok()) {
            context_.prompter.Message(entry.message);
            return false;
        }
        values[row] = static_cast<int>(*entry.value);
    }
    auto& words = record_.slots[static_cast<std::size_t>(slot_)].words;
    words[0] = (values[kAddressRow] * 2 + (Checked(kReadWriteRow) ? 1 : 0)) * 256 + command_;
    if (TcIcMode()) {
        words[1] = values[kSetpointRow];
        words[2] = values[kRelativeHighRow] * 256 + values[kRelativeLowRow];
    } else {
        words[1] = values[kLowAlarmRow];
        words[2] = values[kHighAlarmRow];
    }
    return true;
}

}  // namespace vantrel
