#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config_fields.h"
#include "eeprom_map.h"

namespace vantrel {

// The label and unit of a field for a firmware type (0 Standard, 1 UPS, 2 UPS18).
std::string FieldLabel(const FieldDescriptor& field, int firmwareType);
std::string FieldUnit(const FieldDescriptor& field, int firmwareType);

// The value as the EEPROM holds it, with its unit: "14400 mV", "25.3 0.1 K/min",
// "0x1234" for bit masks.
std::string FieldValueText(const FieldDescriptor& field, const ConfigFields& fields, int firmwareType);

// Every field of the map, one per line: offset, label, value with unit.
std::string FieldListing(const ConfigFields& fields, int firmwareType);

// The fields whose EEPROM words differ, side by side; empty when none does.
// include, when given, limits the comparison to the fields it accepts.
std::string FieldDifferences(const ConfigFields& a, const ConfigFields& b, int firmwareType,
                             const std::function<bool(const FieldDescriptor&)>& include = {});

}  // namespace vantrel
