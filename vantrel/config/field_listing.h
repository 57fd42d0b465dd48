#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config_fields.h"
#include "eeprom_image.h"
#include "eeprom_map.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

// The label and unit of a field for a firmware type: UPS firmware renames some fields.
std::string FieldLabel(const FieldDescriptor& field, FirmwareType firmwareType);
std::string FieldUnit(const FieldDescriptor& field, FirmwareType firmwareType);

// The value as the EEPROM holds it, with its unit: "14400 mV", "25.3 0.1 K/min",
// "0x1234" for bit masks.
std::string FieldValueText(const FieldDescriptor& field, const ConfigFields& fields, FirmwareType firmwareType);

// Every field of the map, one per line: offset, label, value with unit.
std::string FieldListing(const ConfigFields& fields, FirmwareType firmwareType);

// The fields whose EEPROM words differ, side by side; empty when none does.
// include, when given, limits the comparison to the fields it accepts.
std::string FieldDifferences(const ConfigFields& a, const ConfigFields& b, FirmwareType firmwareType,
                             const std::function<bool(const FieldDescriptor&)>& include = {});

// The same for two EEPROM images, taken as they are (no corrections), and one
// line for each byte of no field that differs ("not used", as 0xNN).
std::string ImageDifferences(const EepromImage& a, const EepromImage& b, FirmwareType firmwareType);

}  // namespace vantrel
