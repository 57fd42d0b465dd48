#include "bit_mask_editor.h"

#include <cstdio>

namespace vantrel {
namespace {

RowTable MaskTable(std::string caption, const std::vector<std::string>& texts, std::string closeText) {
    RowTable table;
    table.caption = std::move(caption);
    table.controlHeading.clear();
    table.unitHeading.clear();
    table.descriptionHeading.clear();
    table.progress = false;
    table.buttons = {std::move(closeText)};
    for (const std::string& text : texts) {
        RowSpec row;
        row.control = RowControl::CheckBox;
        row.description = text;
        table.rows.push_back(row);
    }
    return table;
}

constexpr int kFirstUps18Bit = 8;
constexpr int kStartupRequestBit = 7;  // no visible control
constexpr int kRtcEnableBit = 13;
constexpr int kFirstFutureTerminationBit = 13;
constexpr int kExtendedFlagBits = 4;

const char* const kTerminationTexts[] = {
    "Enable charge termination method that terminates charging if the battery temperature is below the "
    "BattTempMinDef",
    "Enable charge termination method that terminates charging if the battery temperature is above the "
    "BattTempMaxDef",
    "Enable charge termination method that terminates main charging if the battery voltage is below the BattVminDef",
    "Enable charge termination method that terminates main charging if the battery voltage is above the BattVmaxDef",
    "Enable charge termination method that terminates charging if the battery voltage has not increased for the "
    "BattVmaxTimeDef",
    "Enable charge termination method that terminates charging if the battery voltage has decreased by the "
    "BattVdeltaDef",
    "Enable charge termination method that terminates main charging if charging has taken place for the "
    "TimeMaxDefEn",
    "Enable charge termination method that terminates charging if the charging current is below the BattIminDef",
    "Enable charge termination method that prevents charge termination for the TimeTermEnDef",
    "Enable charge termination method that compensates the BattVDef voltage for the temperature",
    "Enable charge termination method that terminates trickle charging if the temperature increases at the rate "
    "BattTempRateDef",
    "Enable charge termination method that terminates trickle charging if trickle has continued for the "
    "BattTrickleTimeDef",
    "Enable charge termination method that terminates charging if the battery capacity is above the BattMaxCapDef",
    "Future Use",
    "Future Use",
    "Future Use",
};

const char* const kChargingFlagTexts[] = {
    " Enable AutoStart Charging ",
    " Enable Charge Termination",
    " Enable Level 3 SMBus Operation",
    " Enable - IXEN Will Begin Shutdown When Ign Logic is High\n Disable - IXEN Will Begin Shutdown When Ign Logic is "
    "Low",
    " Enable De-Activation of Battery Enable (BE) After Shutdown",
    " Polarity of the Shutdown Line on the RS232 Connector",
    " Enable Thermister / Temperature Monitoring",
    " Enable Startup Request When Power is Applied After Hard-Off",
    " Enable Dual-Battery Pack Charging",
    " Enable Handshake SD Line on the RS232 Port (DTR Pin)",
    " Enable Auto Calibrate Charging Voltage Output",
    " Enable Auto Calibrate Charging Current Output",
    " Disable LEDs to Conserve Power",
    " Enable RTC",
    " Watchdog Boot Mode Enable",
    " Master Mode Alert Enable",
};

const char* const kExtendedFlagTexts[] = {
    "Timer Tick Interval; 0 = 1 sec, 1 = 0.1 sec",
    " Low Battery Startup Lockout",
    " Startup on Battery Voltage",
    " Isolate Battery Only When RTC Startup Valid",
};

class ChargingFlags : public BitMaskEditor {
public:
    ChargingFlags(EditorContext& context)
        : BitMaskEditor(context, "Charging Flags",
                        std::vector<std::string>(std::begin(kChargingFlagTexts), std::end(kChargingFlagTexts)),
                        context.record.chargerFlags, "&Close") {
        table_.rows[kStartupRequestBit].visible = false;
        onBitChanged = [&context](int bit, bool set) {
            if (bit == kRtcEnableBit && context.consoles.rtcEnableChanged) context.consoles.rtcEnableChanged(set);
        };
    }
    void Opened() override {
        SetChecked(kStartupRequestBit, false);
        BitMaskEditor::Opened();
        for (int bit = kFirstUps18Bit; bit < bitCount_; ++bit) {
            SetRowEnabled(bit, context_.Firmware() == FirmwareType::UPS18);
        }
    }
};

}  // namespace

BitMaskEditor::BitMaskEditor(EditorContext& context, std::string caption, const std::vector<std::string>& texts,
                             int32_t& mask, std::string closeText)
    : BitMaskEditor(context, MaskTable(std::move(caption), texts, std::move(closeText)),
                    static_cast<int>(texts.size()), mask) {}

BitMaskEditor::BitMaskEditor(EditorContext& context, RowTable table, int bitCount, int32_t& mask)
    : TableEditor(context, std::move(table), {}), mask_(mask), bitCount_(bitCount) {}

void BitMaskEditor::Opened() {
    for (int bit = 0; bit < bitCount_; ++bit) {
        if (table_.rows[static_cast<std::size_t>(bit)].visible) SetChecked(bit, (mask_ >> bit & 1) != 0);
    }
}

// A click sets or clears its bit. The box always shows its bit, so this is the
// same as adding 2^n on checking and subtracting it on unchecking, and the mask
// can never leave its 16 bits.
void BitMaskEditor::CheckToggled(int row, bool checked) {
    TableEditor::CheckToggled(row, checked);
    if (row >= bitCount_) return;
    const int32_t bit = int32_t{1} << row;
    mask_ = checked ? (mask_ | bit) : (mask_ & ~bit);
    if (onBitChanged) onBitChanged(row, checked);
}

std::unique_ptr<BitMaskEditor> TerminationEditor(EditorContext& context, int cycle) {
    auto editor = std::make_unique<BitMaskEditor>(
        context, "Cycle " + std::to_string(cycle + 1) + " - Charge Termination",
        std::vector<std::string>(std::begin(kTerminationTexts), std::end(kTerminationTexts)),
        context.record.cycles[static_cast<std::size_t>(cycle)].terminationFlags, "OK");
    for (int bit = kFirstFutureTerminationBit; bit < editor->BitCount(); ++bit) editor->SetControlEnabled(bit, false);
    return editor;
}

std::unique_ptr<BitMaskEditor> ChargingFlagsEditor(EditorContext& context) {
    return std::make_unique<ChargingFlags>(context);
}

std::unique_ptr<BitMaskEditor> ExtendedFlagsEditor(EditorContext& context) {
    std::vector<std::string> texts(std::begin(kExtendedFlagTexts), std::end(kExtendedFlagTexts));
    texts.resize(16, "future");
    auto editor = std::make_unique<BitMaskEditor>(context, "Extended Charging Flags", texts,
                                                  context.record.extendedChargeFlags, "&Close");
    for (int bit = kExtendedFlagBits; bit < editor->BitCount(); ++bit) editor->SetRowEnabled(bit, false);
    return editor;
}

namespace {

std::vector<std::string> SensorSelectTexts() {
    std::vector<std::string> texts;
    for (int sensor = 0; sensor < 16; ++sensor) texts.push_back(" Enable I2C Temperature Sensor " + std::to_string(sensor));
    return texts;
}

constexpr int kUpperByteShift = 8;

}  // namespace

RowTable TempSensorSelectTable() {
    RowTable table = MaskTable("Temp Sensor Select", SensorSelectTexts(), "Close");
    RowSpec edit;
    edit.unitLabel = "I2CDevEnDef";
    edit.kind = ValueKind::Text;
    edit.maxLength = 4;
    table.rows.push_back(edit);
    return table;
}

TempSensorSelectEditor::TempSensorSelectEditor(EditorContext& context, int32_t& mask)
    : BitMaskEditor(context, TempSensorSelectTable(), 16, mask) {
    SetText(kMaskEditRow, "0x00");
}

void TempSensorSelectEditor::Opened() {
    BitMaskEditor::Opened();
    const bool ups = context_.Firmware() != FirmwareType::Standard;
    for (int bit = kUpperByteShift; bit < bitCount_; ++bit) {
        SetRowEnabled(bit, !ups);
        if (ups) SetChecked(bit, false);
    }
    SetRowEnabled(kMaskEditRow, ups);
    if (ups) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(mask_ >> kUpperByteShift) & 0xFFu);
        SetText(kMaskEditRow, text);
    }
}

// With UPS firmware the typed upper byte is added to the mask; a text that is
// not "0x" and hexadecimal digits leaves it as it is.
bool TempSensorSelectEditor::Close() {
    if (context_.Firmware() == FirmwareType::Standard) return true;
    unsigned value = 0;
    if (std::sscanf(Text(kMaskEditRow).c_str(), "0x%X", &value) == 1) {
        mask_ |= static_cast<int32_t>((value & 0xFFu) << kUpperByteShift);
    }
    return true;
}

}  // namespace vantrel
