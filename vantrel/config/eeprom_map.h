#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "config_fields.h"

namespace vantrel {

// How a field's EEPROM word relates to its record value.
enum class FieldKind {
    Integer,  // flag words, masks, counters: the low 16 bits
    Plain,    // double; word = the double truncated toward zero
    Tenths,   // double in 0.1 units; word = (10 x double) truncated
    Byte,     // one byte of a byte pair (0x88/0x89, 0x90/0x91)
};

enum class FieldArea { Cycle, Setpoint, Slot, Extra };

using FieldRef = std::variant<int32_t*, uint16_t*, uint8_t*, double*>;
using DirectionRef = std::variant<std::monostate, uint8_t*, int32_t*>;

// One item of the EEPROM map. The map is the single description of the layout
// that the image conversion, the transfers and the field listing all read.
struct FieldDescriptor {
    uint8_t offset = 0;
    FieldKind kind = FieldKind::Integer;
    FieldArea area = FieldArea::Setpoint;
    int index = -1;  // cycle 0..3 or slot 0..15
    int item = -1;   // cycle field 0..15, slot word 0..2, or the entry of the setpoint address table
    std::string name;     // label with Standard firmware
    std::string unit;
    std::string upsName;  // label with UPS and UPS18 firmware where it differs, else empty
    std::string upsUnit;
    double minimum = 0;
    double maximum = 65535;
    bool hex = false;                // a bit mask, listed in hexadecimal
    bool signedOnBoardRead = false;  // a board read takes this byte as signed (-128..127)
    bool correctOnImageLoad = false; // an image value outside the range becomes imageFallback
    int imageFallback = 0;

    FieldRef (*locate)(ConfigFields&, const FieldDescriptor&) = nullptr;
    DirectionRef (*locateDirection)(ConfigFields&, const FieldDescriptor&) = nullptr;

    int Width() const { return kind == FieldKind::Byte ? 1 : 2; }
    FieldRef Locate(ConfigFields& fields) const { return locate(fields, *this); }
    DirectionRef Direction(ConfigFields& fields) const { return locateDirection(fields, *this); }
};

// Every field, in the order ToImage writes them: the four cycle blocks, the
// setpoints 0x80 to 0x95 and 0x9E, the sixteen slots, then the extra words
// 0xE6, 0xE8, 0xEA, 0xEC, 0xF8, 0xFA, 0xFC, 0xFE (last, so they win where they
// share bytes with slots).
const std::vector<FieldDescriptor>& EepromMap();

// The field of an area at an offset, or nullptr.
const FieldDescriptor* FindField(FieldArea area, uint8_t offset);
// Cycle k (0..3) field i (0..15).
const FieldDescriptor& CycleField(int cycle, int field);
// Slot s (0..15) word w (0..2).
const FieldDescriptor& SlotField(int slot, int word);

}  // namespace vantrel
