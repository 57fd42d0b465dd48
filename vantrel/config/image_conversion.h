#pragma once
#include "config_fields.h"
#include "eeprom_image.h"

namespace vantrel {

// Fills image with 0xFF, then writes every field of the map in its order.
void ToImage(const ConfigFields& fields, EepromImage& image);

// Sets every field from its bytes (bytes that two items share go to both), then
// corrects a cycle count outside 1..4 to 1 and I2C device numbers outside
// 0..16 to 0.
void FromImage(const EepromImage& image, ConfigFields& fields);

}  // namespace vantrel
