#include "image_conversion.h"

#include "eeprom_map.h"
#include "field_codec.h"

namespace vantrel {

void ToImage(const ConfigFields& fields, EepromImage& image) {
    image.fill(kErasedByte);
    for (const FieldDescriptor& field : EepromMap()) {
        const uint16_t word = EncodeField(field, fields);
        image[field.offset] = static_cast<uint8_t>(word & 0xFF);
        if (field.Width() == 2) image[field.offset + 1u] = static_cast<uint8_t>(word >> 8);
    }
}

void FromImage(const EepromImage& image, ConfigFields& fields) {
    for (const FieldDescriptor& field : EepromMap()) {
        uint16_t word = image[field.offset];
        if (field.Width() == 2) word = static_cast<uint16_t>(word | (image[field.offset + 1u] << 8));
        DecodeField(field, fields, word);
        if (field.correctOnImageLoad && (word < field.minimum || word > field.maximum)) {
            StoreInteger(field, fields, field.imageFallback);
        }
    }
}

}  // namespace vantrel
