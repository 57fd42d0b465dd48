#include "field_listing.h"

#include <algorithm>
#include <cstdio>

#include "field_codec.h"

namespace vantrel {
namespace {

bool UpsLabels(const FieldDescriptor& field, FirmwareType firmwareType) {
    return firmwareType != FirmwareType::Standard && !field.upsName.empty();
}

std::string Offset(const FieldDescriptor& field) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", field.offset);
    return text;
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::size_t LabelWidth(FirmwareType firmwareType) {
    std::size_t width = 0;
    for (const FieldDescriptor& field : EepromMap()) width = std::max(width, FieldLabel(field, firmwareType).size());
    return width;
}

// Every field straight from its bytes, without the corrections of a file load,
// so that the listing shows what the EEPROM holds.
ConfigFields FieldsOf(const EepromImage& image) {
    ConfigFields fields;
    fields.ResetFields();
    for (const FieldDescriptor& field : EepromMap()) {
        uint16_t word = image[field.offset];
        if (field.Width() == 2) word = static_cast<uint16_t>(word | image[field.offset + 1u] << 8);
        DecodeField(field, fields, word);
    }
    return fields;
}

std::string ByteText(uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

}  // namespace

std::string FieldLabel(const FieldDescriptor& field, FirmwareType firmwareType) {
    return UpsLabels(field, firmwareType) ? field.upsName : field.name;
}

std::string FieldUnit(const FieldDescriptor& field, FirmwareType firmwareType) {
    return UpsLabels(field, firmwareType) ? field.upsUnit : field.unit;
}

std::string FieldValueText(const FieldDescriptor& field, const ConfigFields& fields, FirmwareType firmwareType) {
    const uint16_t word = EncodeField(field, fields);
    // Slots named as UPS counters hold seconds, not sensor words.
    const bool hex = field.hex && !(field.area == FieldArea::Slot && UpsLabels(field, firmwareType));
    char text[24];
    if (hex) {
        std::snprintf(text, sizeof text, "0x%04X", word);
    } else if (field.kind == FieldKind::Tenths) {
        std::snprintf(text, sizeof text, "%u.%u", word / 10u, word % 10u);
    } else {
        std::snprintf(text, sizeof text, "%u", word);
    }
    const std::string unit = FieldUnit(field, firmwareType);
    return unit.empty() ? text : std::string(text) + " " + unit;
}

std::string FieldListing(const ConfigFields& fields, FirmwareType firmwareType) {
    const std::size_t width = LabelWidth(firmwareType);
    std::string out;
    for (const FieldDescriptor& field : EepromMap()) {
        out += Offset(field) + "  " + Padded(FieldLabel(field, firmwareType), width) + "  " +
               FieldValueText(field, fields, firmwareType) + "\n";
    }
    return out;
}

std::string FieldDifferences(const ConfigFields& a, const ConfigFields& b, FirmwareType firmwareType,
                             const std::function<bool(const FieldDescriptor&)>& include) {
    const std::size_t width = LabelWidth(firmwareType);
    std::string out;
    for (const FieldDescriptor& field : EepromMap()) {
        if (include && !include(field)) continue;
        if (EncodeField(field, a) == EncodeField(field, b)) continue;
        out += Offset(field) + "  " + Padded(FieldLabel(field, firmwareType), width) + "  " +
               Padded(FieldValueText(field, a, firmwareType), 20) + "  " + FieldValueText(field, b, firmwareType) +
               "\n";
    }
    return out;
}

std::string ImageDifferences(const EepromImage& a, const EepromImage& b, FirmwareType firmwareType) {
    std::string out = FieldDifferences(FieldsOf(a), FieldsOf(b), firmwareType);
    std::array<bool, 256> mapped{};
    for (const FieldDescriptor& field : EepromMap()) {
        for (int i = 0; i < field.Width(); ++i) mapped[static_cast<std::size_t>(field.offset + i)] = true;
    }
    const std::size_t width = LabelWidth(firmwareType);
    for (std::size_t offset = 0; offset < a.size(); ++offset) {
        if (mapped[offset] || a[offset] == b[offset]) continue;
        out += ByteText(static_cast<uint8_t>(offset)) + "  " + Padded("not used", width) + "  " +
               Padded(ByteText(a[offset]), 20) + "  " + ByteText(b[offset]) + "\n";
    }
    return out;
}

}  // namespace vantrel
