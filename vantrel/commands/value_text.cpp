#include "value_text.h"

#include <cmath>
#include <cstdio>

#include "field_rule.h"

namespace vantrel {
namespace {

constexpr double kTenthsPerUnit = 10.0;
constexpr uint32_t kWordMask = 0xFFFF;

uint32_t LowWord(int32_t word) { return static_cast<uint32_t>(word) & kWordMask; }

}  // namespace

double ValueOfWord(StoreKind store, int32_t word) {
    switch (store) {
        case StoreKind::Tenths: return LowWord(word) / kTenthsPerUnit;
        case StoreKind::Signed16: return static_cast<int16_t>(LowWord(word));
        case StoreKind::Word:
        case StoreKind::Identification: break;
    }
    return LowWord(word);
}

double StoredValueOf(StoreKind store, double value) {
    if (store == StoreKind::Signed16) return static_cast<int16_t>(LowWord(static_cast<int32_t>(value)));
    return value;
}

int32_t WordOfValue(StoreKind store, double value) {
    const double raw = store == StoreKind::Tenths ? std::round(value * kTenthsPerUnit) : value;
    return static_cast<int32_t>(LowWord(static_cast<int32_t>(raw)));
}

std::string LogHexWord(int32_t word) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", LowWord(word));
    return text;
}

std::string FormatFieldValue(const ConsoleLine& line, double value) {
    char text[32];
    switch (line.format) {
        case FieldFormat::Real: return FormatPlainNumber(value);
        case FieldFormat::Decimal: return std::to_string(static_cast<long long>(value));
        case FieldFormat::Hex: return LogHexWord(static_cast<int32_t>(value));
        case FieldFormat::HexAlt:
            // printf drops the prefix of a zero; the field keeps it.
            if (LowWord(static_cast<int32_t>(value)) == 0) return "0X0000";
            std::snprintf(text, sizeof text, "%#06X", LowWord(static_cast<int32_t>(value)));
            return text;
        case FieldFormat::None: break;
    }
    return {};
}

std::string FormatLogValue(const ConsoleLine& line, double value) {
    if (line.store == StoreKind::Tenths) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1lf", value);
        return text;
    }
    if (line.format == FieldFormat::Hex || line.format == FieldFormat::HexAlt) {
        return LogHexWord(static_cast<int32_t>(value));
    }
    return std::to_string(static_cast<long long>(value));
}

}  // namespace vantrel
