#pragma once
#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/config/field_codec.h"

namespace vantrel::testing_support {

// The record as ResetFields leaves it.
inline ConfigFields DefaultFields() {
    ConfigFields fields;
    fields.ResetFields();
    return fields;
}

// A record whose every field holds its own value (byte fields inside their
// ranges). Slot words that share an EEPROM word with an extra word hold the
// extra word's value: the board keeps one word for both.
inline ConfigFields DistinctFields(unsigned seed = 1) {
    ConfigFields fields = DefaultFields();
    const auto& map = EepromMap();
    for (std::size_t i = 0; i < map.size(); ++i) {
        const FieldDescriptor& field = map[i];
        auto word = static_cast<uint16_t>(0x0101 * seed + 0x0123 * i + 7);
        if (field.kind == FieldKind::Byte) {
            const auto span = static_cast<unsigned>(field.maximum - field.minimum + 1);
            word = static_cast<uint16_t>(field.minimum + static_cast<double>((seed + i) % span));
        }
        DecodeField(field, fields, word);
    }
    for (const FieldDescriptor& extra : map) {
        if (extra.area != FieldArea::Extra) continue;
        const FieldDescriptor* slot = FindField(FieldArea::Slot, extra.offset);
        if (slot != nullptr) DecodeField(*slot, fields, EncodeField(extra, fields));
    }
    return fields;
}

}  // namespace vantrel::testing_support
