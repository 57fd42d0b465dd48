#include "field_codec.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace vantrel {
namespace {

constexpr double kMaxWord = 65535;

// Pointers into a const record; nothing is written through them.
FieldRef LocateConst(const FieldDescriptor& field, const ConfigFields& fields) {
    return field.Locate(const_cast<ConfigFields&>(fields));
}

uint16_t WordOf(double truncated) {
    if (!(truncated > 0)) return 0;  // also NaN
    return static_cast<uint16_t>(std::min(truncated, kMaxWord));
}

}  // namespace

uint16_t PlainToWord(double value) { return WordOf(std::trunc(value)); }

uint16_t TenthsToWord(double value) {
    if (!(value > 0)) return 0;
    const double product = std::min(value * 10, kMaxWord + 1);
    return WordOf(std::trunc(std::round(product * 1e6) / 1e6));
}

double FieldValue(const FieldDescriptor& field, const ConfigFields& fields) {
    return std::visit([](auto* p) { return static_cast<double>(*p); }, LocateConst(field, fields));
}

void StoreInteger(const FieldDescriptor& field, ConfigFields& fields, int32_t value) {
    std::visit([value](auto* p) { *p = static_cast<std::remove_reference_t<decltype(*p)>>(value); },
               field.Locate(fields));
}

uint16_t EncodeField(const FieldDescriptor& field, const ConfigFields& fields) {
    const FieldRef ref = LocateConst(field, fields);
    if (double* const* d = std::get_if<double*>(&ref)) {
        return field.kind == FieldKind::Tenths ? TenthsToWord(**d) : PlainToWord(**d);
    }
    const uint32_t bits = std::visit(
        [](auto* p) -> uint32_t {
            if constexpr (std::is_same_v<decltype(p), double*>) {
                return 0;
            } else {
                return static_cast<uint32_t>(*p);
            }
        },
        ref);
    return static_cast<uint16_t>(field.kind == FieldKind::Byte ? (bits & 0xFF) : (bits & 0xFFFF));
}

void DecodeField(const FieldDescriptor& field, ConfigFields& fields, uint16_t word) {
    const FieldRef ref = field.Locate(fields);
    if (double* const* d = std::get_if<double*>(&ref)) {
        **d = field.kind == FieldKind::Tenths ? word * 0.1 : word;
        return;
    }
    StoreInteger(field, fields, field.kind == FieldKind::Byte ? (word & 0xFF) : word);
}

const FieldDescriptor* PairPartner(const FieldDescriptor& field) {
    if (field.kind != FieldKind::Byte) return nullptr;
    const FieldDescriptor* next = FindField(field.area, static_cast<uint8_t>(field.offset + 1));
    return next != nullptr && next->kind == FieldKind::Byte ? next : nullptr;
}

uint16_t EncodeTransferWord(const FieldDescriptor& field, const ConfigFields& fields) {
    const uint16_t low = EncodeField(field, fields);
    const FieldDescriptor* high = PairPartner(field);
    return high == nullptr ? low : static_cast<uint16_t>(low | (EncodeField(*high, fields) << 8));
}

void DecodeBoardWord(const FieldDescriptor& field, ConfigFields& fields, uint16_t word) {
    const FieldDescriptor* high = PairPartner(field);
    if (high == nullptr) {
        DecodeField(field, fields, word);
        return;
    }
    const int low = word & 0xFF;
    StoreInteger(field, fields, field.signedOnBoardRead ? static_cast<int8_t>(low) : low);
    StoreInteger(*high, fields, word >> 8);
}

}  // namespace vantrel
