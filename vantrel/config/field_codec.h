#pragma once
#include <cstdint>

#include "eeprom_map.h"

namespace vantrel {

// The EEPROM word of a plain double: truncated toward zero, kept within 0..65535.
uint16_t PlainToWord(double value);
// The EEPROM word of a tenths double. The product value x 10 is first rounded to
// six decimals and then truncated toward zero, so that a decimal entry whose
// binary form falls just short (2.3 x 10 = 22.999...) still gives 23; 25.37
// gives 253. Kept within 0..65535.
uint16_t TenthsToWord(double value);

// The field's value as a number (integers exactly, doubles as held).
double FieldValue(const FieldDescriptor& field, const ConfigFields& fields);
// Stores an integer into the field, whatever its storage type.
void StoreInteger(const FieldDescriptor& field, ConfigFields& fields, int32_t value);

// Word encoding: the field's EEPROM word (for a Byte field, its byte 0..255).
uint16_t EncodeField(const FieldDescriptor& field, const ConfigFields& fields);
// Word decoding: integer = w, plain = w, tenths = 0.1 x w, byte = w's low byte.
void DecodeField(const FieldDescriptor& field, ConfigFields& fields, uint16_t word);

// The word a transfer moves at a field's offset; a byte pair goes as one word,
// the first byte low.
uint16_t EncodeTransferWord(const FieldDescriptor& field, const ConfigFields& fields);
// Decodes a word read from the board. A byte pair is split: the first byte
// takes the low byte (signed for the primary I2C device), the second w >> 8.
void DecodeBoardWord(const FieldDescriptor& field, ConfigFields& fields, uint16_t word);

// The second byte of a byte pair (0x89 for 0x88, 0x91 for 0x90), or nullptr.
const FieldDescriptor* PairPartner(const FieldDescriptor& field);

}  // namespace vantrel
