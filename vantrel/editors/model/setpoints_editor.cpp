#include "setpoints_editor.h"

#include "bit_mask_editor.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/transfer_plan.h"

namespace vantrel {
namespace {

struct SetpointRow {
    uint8_t offset;
    FieldArea area;
    RowControl control;
    const char* unit;
    const char* description;
};

// Units and descriptions of rows 2, 3, 10 and 11 depend on the firmware (ApplyFirmware).
const SetpointRow kRows[SetpointsEditor::kRowCount] = {
    {0x80, FieldArea::Setpoint, RowControl::Button, " Setup", " Charger / Power Supply Enable Flags"},
    {0x82, FieldArea::Setpoint, RowControl::Edit, "", ""},
    {0x84, FieldArea::Setpoint, RowControl::Edit, "", ""},
    {0x86, FieldArea::Setpoint, RowControl::Edit, " 0..65535 / 10mW", " Maximum Input Power Allowed"},
    {0x88, FieldArea::Setpoint, RowControl::Edit, " 0..255 / Ticks", " Maximum Time Before Communications Timeout"},
    {0x89, FieldArea::Setpoint, RowControl::Edit, " Cycle", " Define How Many Charge Cycles to Use"},
    {0x8A, FieldArea::Setpoint, RowControl::Edit, " 0..6553.5 / 0.1K", " Minimum Battery Charging Temperature"},
    {0x8C, FieldArea::Setpoint, RowControl::Edit, " 0..6553.5 / 0.1K", " Maximum Battery Charging Temperature"},
    {0x8E, FieldArea::Setpoint, RowControl::Edit, " 0..65535 / mV", "Minimum Startup Voltage"},
    {0x90, FieldArea::Setpoint, RowControl::Edit, "", " I2C Primary Temp Device, 0 = Thermister"},
    {0x91, FieldArea::Setpoint, RowControl::Edit, "", " I2C Secondary Temp Device, 0 = Thermister"},
    {0x92, FieldArea::Setpoint, RowControl::Edit, " 0..65535 / Sec", " Rate at Which I2C Devices Are Polled"},
    {0x94, FieldArea::Setpoint, RowControl::Button, " Setup", " Enables Polling for Selected I2C Device"},
    {0xFA, FieldArea::Extra, RowControl::Edit, "0..65535 / 10mW - Hr", " Maximum Battery Capacity"},
    {0xFC, FieldArea::Extra, RowControl::Edit, "0..65535 / 10mW", " Remaing Battery Capacity Setpoint "},
    {0xFE, FieldArea::Extra, RowControl::Edit, "0..65535 / Min", " Batt Time to Recharge"},
    {0x9E, FieldArea::Setpoint, RowControl::Button, "Setup", " Extended Charge Flags -- UPS18 Only"},
};

constexpr int kFirstTypingRow = 1;  // rows 2 to 12 save on typing
constexpr int kLastTypingRow = 11;

const FieldDescriptor& Field(const SetpointRow& row) { return *FindField(row.area, row.offset); }

RowTable SetpointsTable() {
    RowTable table;
    table.caption = "EEprom Setpoints";
    table.buttons = {"&Read", "&Write", "&Close"};
    for (int i = 0; i < SetpointsEditor::kRowCount; ++i) {
        const SetpointRow& row = kRows[i];
        RowSpec rowSpec = FieldRowSpec(Field(row), row.unit, row.description);
        rowSpec.control = row.control;
        if (row.control == RowControl::Button) {
            rowSpec.controlText = row.offset == 0x80 ? "Ch Flags" : row.offset == 0x94 ? "Temp Sel" : "Ext Ch Flags";
        }
        rowSpec.commitsOnTyping = i >= kFirstTypingRow && i <= kLastTypingRow;
        table.rows.push_back(rowSpec);
    }
    return table;
}

// The edit keeps its content when the record's value is outside what the row shows.
RowBinding ShownWithin(RowBinding binding, double minimum, double maximum) {
    const auto load = binding.load;
    binding.load = [load, minimum, maximum]() -> std::optional<double> {
        const std::optional<double> value = load();
        if (!value || *value < minimum || *value > maximum) return std::nullopt;
        return value;
    };
    return binding;
}

std::vector<RowBinding> SetpointBindings(ConfigFields& fields) {
    std::vector<RowBinding> bindings;
    for (int i = 0; i < SetpointsEditor::kRowCount; ++i) {
        const SetpointRow& row = kRows[i];
        if (row.control != RowControl::Edit) {
            bindings.emplace_back();
            continue;
        }
        const FieldDescriptor& field = Field(row);
        RowBinding binding = FieldBinding(fields, field);
        if (i == SetpointsEditor::kCycleCountRow || i == SetpointsEditor::kPrimaryRow ||
            i == SetpointsEditor::kSecondaryRow) {
            binding = ShownWithin(binding, field.minimum, field.maximum);
        }
        bindings.push_back(binding);
    }
    return bindings;
}

}  // namespace

SetpointsEditor::SetpointsEditor(EditorContext& context)
    : TableEditor(context, SetpointsTable(), SetpointBindings(context.record)) {}

void SetpointsEditor::Opened() {
    SetProgressRange(1, kProgressLast);
    SetProgressPosition(1);
    TableEditor::Opened();
}

void SetpointsEditor::ApplyFirmware() {
    const FirmwareType firmware = context_.Firmware();
    const bool standard = firmware == FirmwareType::Standard;
    SetLabels(kShutDownRow, standard ? "0..65535 / Sec" : "0..65535 / mV",
              standard ? " Shut Down Delay in Turning Off Power Supply Outputs" : " Minimum Battery Operating Voltage");
    SetLabels(kStartUpRow, standard ? "0..65535 / Sec" : "0..65535 / 10mW",
              standard ? " Start Up Delay in Turning On Power Supply Outputs" : " Minimum Battery Operating Capacity");
    // The check stays 0..16 with every firmware.
    for (int row : {kPrimaryRow, kSecondaryRow}) {
        SetLabels(row, standard ? "0..16" : "0..8", table_.rows[static_cast<std::size_t>(row)].description);
    }
    SetRowEnabled(kExtendedFlagsRow, firmware == FirmwareType::UPS18);
}

std::unique_ptr<BitMaskEditor> SetpointsEditor::MaskEditorFor(int row) {
    switch (row) {
        case kChargingFlagsRow: return ChargingFlagsEditor(context_);
        case kSensorSelectRow: return std::make_unique<TempSensorSelectEditor>(context_, record_.I2CDevEnDef);
        case kExtendedFlagsRow: return ExtendedFlagsEditor(context_);
        default: return nullptr;
    }
}

std::optional<TransferPlan> SetpointsEditor::Group() { return SetpointsPlan(record_, record_.commands); }

}  // namespace vantrel
