#include "console_definition.h"

#include "vantrel/config/board_command_table.h"

namespace vantrel {
namespace {

constexpr int kTemperatureSensors = 16;
constexpr int kFirstTemperatureEntry = 20;  // 0x80
constexpr int kFirstSensorDisabledWithUps18 = 8;
constexpr uint8_t kRemainingCapacityCommand = 0x0F;

const char* const kTemperatureUnits = " 0..6553.5 / 0.1 K";
const std::array<std::string, 4> kConsoleHeadings = {"Input / Output", "Range/Units", "Command Description", "Enable"};

ConsoleLine Line(std::string label, std::string units, LineCommand command, bool readable, bool writable,
                 StoreKind store, FieldFormat format, FieldRule rule, std::string name, std::string logColumn) {
    ConsoleLine line;
    line.label = std::move(label);
    line.units = std::move(units);
    line.command = command;
    line.readable = readable;
    line.writable = writable;
    line.store = store;
    line.format = format;
    line.rule = rule;
    line.name = std::move(name);
    line.logColumn = std::move(logColumn);
    if (format == FieldFormat::Hex) line.initialText = "0x0000";
    if (format == FieldFormat::HexAlt) line.initialText = "0X0000";
    return line;
}

// The poll log names most lines by their script name.
ConsoleLine Logged(ConsoleLine line) {
    line.logColumn = line.name;
    return line;
}

ConsoleLine Temperature(std::string label, LineCommand command, std::string name) {
    return Logged(Line(std::move(label), kTemperatureUnits, command, true, false, StoreKind::Tenths, FieldFormat::Real,
                       FieldRule::Number(0, 6553.5), std::move(name), {}));
}

ConsoleLine Decimal(std::string label, std::string units, LineCommand command, bool writable, FieldRule rule,
                    std::string name, StoreKind store = StoreKind::Word) {
    return Logged(Line(std::move(label), std::move(units), command, true, writable, store, FieldFormat::Decimal, rule,
                       std::move(name), {}));
}

ConsoleLine HexLine(std::string label, LineCommand command, bool readable, bool writable, std::string name) {
    return Logged(Line(std::move(label), " N/A", command, readable, writable, StoreKind::Word, FieldFormat::Hex,
                       FieldRule::HexWord(), std::move(name), {}));
}

LineCommand Entry(int entry) { return LineCommand::Entry(entry); }

ConsoleDefinition MakeSmbus() {
    const FieldRule unsignedWord = FieldRule::Integer(0, 65535);
    const FieldRule signedWord = FieldRule::Integer(-32768, 32767);
    ConsoleDefinition d{ConsoleKind::Smbus, {}, {}, {}, {}};
    d.lines = {
        Temperature(" Battery Temperature", Entry(6), "BattTemp"),
        Decimal(" Battery Voltage", " 0..65535 / mV", Entry(7), false, unsignedWord, "Batt_V"),
        Decimal(" Battery Current", "-32768..32767 / mA", Entry(8), false, signedWord, "Batt_I", StoreKind::Signed16),
        Decimal(" One Minute Average Current", "-32768..32767 / mA", Entry(9), false, signedWord, "Batt_I_Ave",
                StoreKind::Signed16),
        Decimal(" Remaining Battery Capacity", " 0..65535 / mAh", LineCommand::Fixed(kRemainingCapacityCommand), false,
                unsignedWord, "Batt_Rem_Cap"),
        HexLine(" SMBus Compatibility", Entry(12), true, false, "Charger_Spec_Info"),
        HexLine(" Charger Mode", Entry(13), false, true, "Charger_Mode"),
        HexLine(" Charger Status", Entry(14), true, false, "Charger_Status"),
        Decimal(" Charging Current Setpoint", " 0..65535 mA", Entry(15), true, unsignedWord, "Charging_Current"),
        Decimal(" Charging Voltage Setpoint", " 0..65535 mV", Entry(16), true, unsignedWord, "Charging_Voltage"),
        HexLine(" Alarm Notification", Entry(17), true, true, "Alarm_Warning"),
        HexLine(" Charger Firmware Revision", Entry(18), true, false, "Version"),
        Line(" Charger Serial Number", " N/A", Entry(19), true, false, StoreKind::Identification, FieldFormat::None,
             FieldRule::Text(8), "Serial_Number", "Serial Number"),
    };
    d.lines[12].initialText = "      ";
    for (std::size_t line : {1u, 8u, 9u}) d.lines[line].digitsOnly = true;
    d.rules.caption = "SMBus Command Functions";
    d.rules.headings = kConsoleHeadings;
    d.rules.readOrder = {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12};
    d.rules.writeOrder = {6, 8, 9, 10};
    d.rules.commitOnFieldExit = true;
    return d;
}

ConsoleDefinition MakeTemperature() {
    ConsoleDefinition d{ConsoleKind::Temperature, {}, {}, {}, {}};
    for (int s = 0; s < kTemperatureSensors; ++s) {
        d.lines.push_back(
            Temperature(" Read I2C Temperature", Entry(kFirstTemperatureEntry + s), "I2C_Temp" + std::to_string(s)));
        d.offers.push_back(s >= kFirstSensorDisabledWithUps18 ? LineOffer::NotUps18 : LineOffer::Always);
    }
    d.rules.caption = "Temperature Command Functions";
    d.rules.headings = kConsoleHeadings;
    for (int s = 0; s < kTemperatureSensors; ++s) d.rules.readOrder.push_back(s);
    d.rules.writeOnlyCommits = true;
    return d;
}

ConsoleDefinition MakeOther() {
    const FieldRule word = FieldRule::Integer(0, 65535);
    ConsoleDefinition d{ConsoleKind::Other, {}, {}, {}, {}};
    d.lines = {
        Decimal(" TH (Thermister) Value", " 0..65535 / word", Entry(36), false, word, "TH_Temp"),
        Decimal(" Main Input Voltage", " 0..65535 / mV", Entry(37), false, word, "Main_Volt"),
        Decimal(" Input Current", " 0..65535 / mA", Entry(38), false, word, "Main_Current"),
        Decimal(" Input Power", " 0..65535 / 10 mW", Entry(39), false, word, "Input_Power"),
        Decimal(" Charging Power", " 0..65535 / 10 mW", Entry(40), false, word, "Batt_Power"),
        Decimal(" Charging Cycle", " 0..3 / int", Entry(41), true, FieldRule::Integer(0, 3), "Charge_Cycle"),
        HexLine(" Read Last Termination Method", Entry(42), true, false, "Last_Charge_Term"),
        Decimal(" Shutdown Supply Time in X Sec", " 0..65535 / sec", Entry(43), true, word, "Shut_Down"),
        HexLine(" Power Supply Flags", Entry(44), true, true, "Power_Supply_Status"),
        HexLine(" Set Active EEprom Location", Entry(BoardCommandTable::kEepromAddress), true, true, "Active_EE"),
        HexLine(" Value at Active EEprom Location", Entry(BoardCommandTable::kEepromData), true, true, "EEprom_Data"),
        HexLine(" Cause of Start Up / Shut Down", Entry(47), true, false, "SU_SD_Cause"),
        Decimal(" 5-Volt Output Voltage", " 0..65535 / mV", Entry(56), false, word, "Out_5V", StoreKind::Signed16),
        Decimal(" 12-Volt Output Voltage", " 0..65535 / mV", Entry(57), false, word, "Out_12V", StoreKind::Signed16),
        Decimal(" 3-Volt Output Voltage", " 0..65535 / mV", Entry(58), false, word, "Out_3V", StoreKind::Signed16),
    };
    for (int line = 12; line <= 14; ++line) d.lines[static_cast<std::size_t>(line)].logColumn.clear();
    d.offers.assign(d.lines.size(), LineOffer::Always);
    d.boxCaptions.assign(d.lines.size(), "");
    for (std::size_t line = 12; line <= 14; ++line) {
        d.offers[line] = LineOffer::OnlyUps18;
        d.boxCaptions[line] = "future";
    }
    d.rules.caption = "Other Command Functions";
    d.rules.headings = kConsoleHeadings;
    d.rules.readOrder = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    d.rules.writeOrder = {5, 7, 8, 9, 10};
    d.rules.displayOrder = {0, 1, 12, 13, 14, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    d.rules.futureRows = 1;
    d.rules.futureRowsHidden = true;
    return d;
}

ConsoleDefinition MakeI2c() {
    auto hex = [](std::string label, uint8_t command, std::string name, std::string logColumn) {
        return Line(std::move(label), "N/A", LineCommand::Fixed(command), true, true, StoreKind::Word,
                    FieldFormat::HexAlt, FieldRule::LooseHexWord(), std::move(name), std::move(logColumn));
    };
    ConsoleDefinition d{ConsoleKind::I2c, {}, {}, {}, {}};
    d.lines = {
        hex("I2C Temp. Sensor High Alarm Status", 0x9A, "I2C_Low_Alarms", "I2C_Low_Alarms"),
        hex("I2C Temp. Sensor High Alarm Status", 0x9B, "I2C_High_Alarms", "I2C_High_Alarms"),
        hex("Active EEprom I2C", 0xA2, "I2C_Active_EE", {}),
        hex("EEProm I2C", 0xA3, "I2C_EEprom", {}),
        hex("I2C Function, Address; R/W", 0xA5, "I2C_Function", {}),
        Line("I2C Function Data", "0 to 65535", LineCommand::Fixed(0xA6), true, true, StoreKind::Word,
             FieldFormat::Decimal, FieldRule::Integer(0, 65535), "I2C_Function_Data", {}),
    };
    d.offers.assign(d.lines.size(), LineOffer::OnlyUps18);
    d.rules.caption = "I2C Commands";
    d.rules.headings = {"Input/Output", "Units / Range", "Command Description", "Enable"};
    d.rules.readOrder = {0, 1, 2, 3, 4, 5};
    d.rules.writeOrder = {0, 1, 2, 3, 4, 5};
    d.rules.futureRows = 5;
    d.rules.boxesTakenOnPass = true;
    return d;
}

// Fills what a definition leaves implicit: every line offered, the display order
// the line order, no box captions.
ConsoleDefinition Completed(ConsoleDefinition d) {
    const std::size_t count = d.lines.size();
    if (d.offers.empty()) d.offers.assign(count, LineOffer::Always);
    if (d.boxCaptions.empty()) d.boxCaptions.assign(count, "");
    if (d.rules.displayOrder.empty()) {
        for (std::size_t i = 0; i < count; ++i) d.rules.displayOrder.push_back(static_cast<int>(i));
    }
    return d;
}

}  // namespace

const ConsoleDefinition& SmbusConsoleDefinition() {
    static const ConsoleDefinition definition = Completed(MakeSmbus());
    return definition;
}

const ConsoleDefinition& TemperatureConsoleDefinition() {
    static const ConsoleDefinition definition = Completed(MakeTemperature());
    return definition;
}

const ConsoleDefinition& OtherConsoleDefinition() {
    static const ConsoleDefinition definition = Completed(MakeOther());
    return definition;
}

const ConsoleDefinition& I2cConsoleDefinition() {
    static const ConsoleDefinition definition = Completed(MakeI2c());
    return definition;
}

const ConsoleDefinition& DefinitionOf(ConsoleKind kind) {
    switch (kind) {
        case ConsoleKind::Smbus: return SmbusConsoleDefinition();
        case ConsoleKind::Temperature: return TemperatureConsoleDefinition();
        case ConsoleKind::Other: return OtherConsoleDefinition();
        case ConsoleKind::I2c: return I2cConsoleDefinition();
    }
    return SmbusConsoleDefinition();
}

bool LineOffered(LineOffer offer, FirmwareType firmwareType) {
    switch (offer) {
        case LineOffer::Always: return true;
        case LineOffer::OnlyUps18: return firmwareType == FirmwareType::UPS18;
        case LineOffer::NotUps18: return firmwareType != FirmwareType::UPS18;
    }
    return true;
}

bool ConsoleOffered(ConsoleKind kind, FirmwareType firmwareType) {
    return kind != ConsoleKind::I2c || firmwareType == FirmwareType::UPS18;
}

}  // namespace vantrel
