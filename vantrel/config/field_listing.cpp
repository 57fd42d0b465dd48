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

}  // namespace vantrel
