#include "eeprom_map.h"

#include <string>

namespace vantrel {
namespace {

template <auto Member>
FieldRef CycleMember(ConfigFields& f, const FieldDescriptor& d) {
    return &(f.cycles[static_cast<std::size_t>(d.index)].*Member);
}

template <auto Member>
FieldRef RecordMember(ConfigFields& f, const FieldDescriptor&) {
    return &(f.*Member);
}

FieldRef SlotWord(ConfigFields& f, const FieldDescriptor& d) { return &f.slots[static_cast<std::size_t>(d.index)].words[static_cast<std::size_t>(d.item)]; }

DirectionRef CycleDirection(ConfigFields& f, const FieldDescriptor& d) {
    return &f.cycles[static_cast<std::size_t>(d.index)].directions[static_cast<std::size_t>(d.item)];
}
DirectionRef SetpointDirection(ConfigFields& f, const FieldDescriptor& d) {
    return &f.setpointDirections[static_cast<std::size_t>(d.item)];
}
DirectionRef SlotDirection(ConfigFields& f, const FieldDescriptor& d) { return &f.slots[static_cast<std::size_t>(d.index)].direction; }
DirectionRef NoDirection(ConfigFields&, const FieldDescriptor&) { return std::monostate{}; }

template <auto Member>
DirectionRef RecordDirection(ConfigFields& f, const FieldDescriptor&) {
    return &(f.*Member);
}

struct CycleFieldRow {
    FieldKind kind;
    const char* name;
    const char* unit;
    bool hex;
    FieldRef (*locate)(ConfigFields&, const FieldDescriptor&);
};

const CycleFieldRow kCycleFields[CycleRecord::kFieldCount] = {
    {FieldKind::Integer, "charge termination enable flags", "", true, CycleMember<&CycleRecord::terminationFlags>},
    {FieldKind::Integer, "battery maximum capacity allowed", "10 mW", false, CycleMember<&CycleRecord::maxCapacity>},
    {FieldKind::Plain, "future use", "", false, CycleMember<&CycleRecord::futureUse>},
    {FieldKind::Plain, "maximum battery charging voltage", "mV", false, CycleMember<&CycleRecord::maxChargingVoltage>},
    {FieldKind::Plain, "maximum time since peak battery voltage detected", "min", false,
     CycleMember<&CycleRecord::maxTimeSincePeak>},
    {FieldKind::Plain, "charge termination negative delta V", "mV", false, CycleMember<&CycleRecord::negativeDeltaV>},
    {FieldKind::Plain, "maximum time for charge cycle", "min", false, CycleMember<&CycleRecord::maxCycleTime>},
    {FieldKind::Plain, "minimum charge current allowed", "mA", false, CycleMember<&CycleRecord::minChargeCurrent>},
    {FieldKind::Plain, "maximum charge current allowed", "mA", false, CycleMember<&CycleRecord::maxChargeCurrent>},
    {FieldKind::Plain, "minimum time before charge termination allowed", "min", false,
     CycleMember<&CycleRecord::minTimeBeforeTermination>},
    {FieldKind::Plain, "temperature compensation applied to BattVDef", "mV/K", false,
     CycleMember<&CycleRecord::temperatureCompensation>},
    {FieldKind::Plain, "charging voltage setpoint", "mV", false, CycleMember<&CycleRecord::chargingVoltageSetpoint>},
    {FieldKind::Plain, "charging current setpoint", "mA", false, CycleMember<&CycleRecord::chargingCurrentSetpoint>},
    {FieldKind::Tenths, "maximum rate of battery temperature increase allowed", "0.1 K/min", false,
     CycleMember<&CycleRecord::maxTemperatureRate>},
    {FieldKind::Plain, "trickle charge current if below minimum temperature or voltage", "mA", false,
     CycleMember<&CycleRecord::trickleCurrent>},
    {FieldKind::Plain, "maximum time allowed in trickle charge mode", "min", false,
     CycleMember<&CycleRecord::maxTrickleTime>},
};

// The UPS counters that slots 8 to 11 hold with UPS firmware, by slot word from 8.0.
const char* const kUpsCounterNames[] = {
    "main power shut down debounce counter", "main power start up debounce counter",
    "main power shut down counter",          "main power start up counter",
    "ignition shut down debounce counter",   "ignition start up debounce counter",
    "ignition shut down counter",            "ignition start up counter",
    "push button shut down counter",         "push button start up counter",
    "battery low shut down counter",
};
constexpr int kFirstUpsSlot = 8;

FieldDescriptor Setpoint(uint8_t offset, int item, FieldKind kind, std::string name, std::string unit,
                         FieldRef (*locate)(ConfigFields&, const FieldDescriptor&)) {
    FieldDescriptor d;
    d.offset = offset;
    d.kind = kind;
    d.area = FieldArea::Setpoint;
    d.item = item;
    d.name = std::move(name);
    d.unit = std::move(unit);
    d.maximum = kind == FieldKind::Tenths ? 6553.5 : 65535;
    d.locate = locate;
    d.locateDirection = SetpointDirection;
    return d;
}

FieldDescriptor Extra(uint8_t offset, std::string name, std::string unit,
                      FieldRef (*locate)(ConfigFields&, const FieldDescriptor&),
                      DirectionRef (*direction)(ConfigFields&, const FieldDescriptor&)) {
    FieldDescriptor d;
    d.offset = offset;
    d.kind = FieldKind::Integer;
    d.area = FieldArea::Extra;
    d.name = std::move(name);
    d.unit = std::move(unit);
    d.locate = locate;
    d.locateDirection = direction;
    return d;
}

void AddCycles(std::vector<FieldDescriptor>& map) {
    for (int k = 0; k < ConfigFields::kCycleCount; ++k) {
        for (int i = 0; i < CycleRecord::kFieldCount; ++i) {
            const CycleFieldRow& row = kCycleFields[i];
            FieldDescriptor d;
            d.offset = static_cast<uint8_t>(0x20 * k + 2 * i);
            d.kind = row.kind;
            d.area = FieldArea::Cycle;
            d.index = k;
            d.item = i;
            d.name = "cycle " + std::to_string(k + 1) + " " + row.name;
            d.unit = row.unit;
            d.maximum = row.kind == FieldKind::Tenths ? 6553.5 : 65535;
            d.hex = row.hex;
            d.locate = row.locate;
            d.locateDirection = CycleDirection;
            map.push_back(std::move(d));
        }
    }
}

// Items are the entries of the setpoint address table, in its order
// 0x80, 0x9E, 0x82, 0x84, 0x86, 0x88, 0x89, 0x8A, 0x8C, 0x8E, 0x90, 0x91, 0x92, 0x94.
void AddSetpoints(std::vector<FieldDescriptor>& map) {
    using F = ConfigFields;
    FieldDescriptor flags = Setpoint(0x80, 0, FieldKind::Integer, "charger / power supply enable flags", "",
                                     RecordMember<&F::chargerFlags>);
    flags.hex = true;
    map.push_back(flags);

    FieldDescriptor down = Setpoint(0x82, 2, FieldKind::Plain, "shut down delay in turning off power supply outputs",
                                    "s", RecordMember<&F::shutDownDelayOrMinVoltage>);
    down.upsName = "minimum battery operating voltage";
    down.upsUnit = "mV";
    map.push_back(down);

    FieldDescriptor up = Setpoint(0x84, 3, FieldKind::Plain, "start up delay in turning on power supply outputs", "s",
                                  RecordMember<&F::startUpDelayOrMinCapacity>);
    up.upsName = "minimum battery operating capacity";
    up.upsUnit = "10 mW";
    map.push_back(up);

    map.push_back(Setpoint(0x86, 4, FieldKind::Plain, "maximum input power allowed", "10 mW",
                           RecordMember<&F::maxInputPower>));

    FieldDescriptor timeout = Setpoint(0x88, 5, FieldKind::Byte, "maximum time before communications timeout", "ticks",
                                       RecordMember<&F::commTimeout>);
    timeout.maximum = 255;
    map.push_back(timeout);

    FieldDescriptor cycles = Setpoint(0x89, 6, FieldKind::Byte, "number of charge cycles to use", "",
                                      RecordMember<&F::chargeCycleCount>);
    cycles.minimum = 1;
    cycles.maximum = 4;
    cycles.correctOnImageLoad = true;
    cycles.imageFallback = 1;
    map.push_back(cycles);

    map.push_back(Setpoint(0x8A, 7, FieldKind::Tenths, "minimum battery charging temperature", "0.1 K",
                           RecordMember<&F::minChargingTemperature>));
    map.push_back(Setpoint(0x8C, 8, FieldKind::Tenths, "maximum battery charging temperature", "0.1 K",
                           RecordMember<&F::maxChargingTemperature>));
    map.push_back(Setpoint(0x8E, 9, FieldKind::Plain, "minimum startup voltage", "mV",
                           RecordMember<&F::minStartupVoltage>));

    FieldDescriptor primary = Setpoint(0x90, 10, FieldKind::Byte, "I2C primary temperature device (0 = thermistor)",
                                       "", RecordMember<&F::primaryTempDevice>);
    primary.maximum = 16;
    primary.signedOnBoardRead = true;
    primary.correctOnImageLoad = true;
    map.push_back(primary);

    FieldDescriptor secondary = Setpoint(0x91, 11, FieldKind::Byte,
                                         "I2C secondary temperature device (0 = thermistor)", "",
                                         RecordMember<&F::secondaryTempDevice>);
    secondary.maximum = 16;
    secondary.correctOnImageLoad = true;
    map.push_back(secondary);

    map.push_back(Setpoint(0x92, 12, FieldKind::Plain, "rate at which I2C devices are polled", "s",
                           RecordMember<&F::i2cPollRate>));

    FieldDescriptor mask = Setpoint(0x94, 13, FieldKind::Integer, "I2C device enable mask I2CDevEnDef", "",
                                    RecordMember<&F::I2CDevEnDef>);
    mask.hex = true;
    map.push_back(mask);

    FieldDescriptor extended = Setpoint(0x9E, 1, FieldKind::Integer, "extended charge flags (UPS18 only)", "",
                                        RecordMember<&F::extendedChargeFlags>);
    extended.hex = true;
    map.push_back(extended);
}

void AddSlots(std::vector<FieldDescriptor>& map) {
    for (int s = 0; s < ConfigFields::kEepromSlotCount; ++s) {
        for (int w = 0; w < SlotRecord::kWordCount; ++w) {
            FieldDescriptor d;
            d.offset = static_cast<uint8_t>(0xA0 + 6 * s + 2 * w);
            d.kind = FieldKind::Integer;
            d.area = FieldArea::Slot;
            d.index = s;
            d.item = w;
            d.name = "slot " + std::to_string(s) + " word " + std::to_string(w);
            d.hex = true;
            const int upsIndex = (s - kFirstUpsSlot) * SlotRecord::kWordCount + w;
            if (upsIndex >= 0 && upsIndex < static_cast<int>(std::size(kUpsCounterNames))) {
                d.upsName = kUpsCounterNames[upsIndex];
                d.upsUnit = "s";
            }
            d.locate = SlotWord;
            d.locateDirection = SlotDirection;
            map.push_back(std::move(d));
        }
    }
}

void AddExtras(std::vector<FieldDescriptor>& map) {
    using F = ConfigFields;
    map.push_back(Extra(0xE6, "power supply status command shut down counter", "s",
                        RecordMember<&F::statusShutDownCounter>, NoDirection));
    map.push_back(Extra(0xE8, "power supply status command start up counter", "s",
                        RecordMember<&F::statusStartUpCounter>, NoDirection));
    map.push_back(Extra(0xEA, "shutdown delay for alarm temperature condition", "s",
                        RecordMember<&F::alarmShutdownDelay>, NoDirection));
    map.push_back(Extra(0xEC, "start-up delay for return to normal condition", "s",
                        RecordMember<&F::alarmStartupDelay>, NoDirection));
    map.push_back(Extra(0xF8, "SD startup delay", "s", RecordMember<&F::sdStartupDelay>, NoDirection));
    map.push_back(Extra(0xFA, "maximum battery capacity", "10 mW h", RecordMember<&F::maxBatteryCapacity>,
                        RecordDirection<&F::maxBatteryCapacityDirection>));
    map.push_back(Extra(0xFC, "remaining battery capacity setpoint", "10 mW",
                        RecordMember<&F::remainingCapacitySetpoint>,
                        RecordDirection<&F::remainingCapacityDirection>));
    map.push_back(Extra(0xFE, "battery time to recharge", "min", RecordMember<&F::timeToRecharge>,
                        RecordDirection<&F::timeToRechargeDirection>));
}

std::vector<FieldDescriptor> BuildMap() {
    std::vector<FieldDescriptor> map;
    AddCycles(map);
    AddSetpoints(map);
    AddSlots(map);
    AddExtras(map);
    return map;
}

}  // namespace

const std::vector<FieldDescriptor>& EepromMap() {
    static const std::vector<FieldDescriptor> map = BuildMap();
    return map;
}

const FieldDescriptor* FindField(FieldArea area, uint8_t offset) {
    for (const FieldDescriptor& d : EepromMap()) {
        if (d.area == area && d.offset == offset) return &d;
    }
    return nullptr;
}

const FieldDescriptor& CycleField(int cycle, int field) {
    return EepromMap()[static_cast<std::size_t>(cycle * CycleRecord::kFieldCount + field)];
}

const FieldDescriptor& SlotField(int slot, int word) {
    return *FindField(FieldArea::Slot, static_cast<uint8_t>(0xA0 + 6 * slot + 2 * word));
}

}  // namespace vantrel
