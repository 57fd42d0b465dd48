#include "field_rule.h"

#include "vantrel/config/hex_digits.h"
#include "vantrel/editors/rows/row_entry.h"

namespace vantrel {
namespace {

constexpr std::size_t kHexDigitCount = 4;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<unsigned> ParseLooseHex(std::string_view text) {
    text = Trimmed(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    constexpr std::size_t kMostDigits = 8;
    if (text.empty() || text.size() > kMostDigits) return std::nullopt;
    const auto value = ParseHex(text);
    if (!value || *value > 0xFFFF) return std::nullopt;
    return value;
}

}  // namespace

std::string FormatPlainNumber(double value) { return FormatNumber(value); }

std::optional<unsigned> ParseHexEntry(std::string_view text) {
    if (text.size() == kHexDigitCount + 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else if (text.size() == kHexDigitCount + 1 && (text[0] == 'x' || text[0] == 'X')) {
        text.remove_prefix(1);
    }
    if (text.size() != kHexDigitCount) return std::nullopt;
    return ParseHex(text);
}

FieldCheck CheckField(const FieldRule& rule, std::string_view text) {
    // Numbers, integers and lengths are read as every row table reads them.
    RowSpec row;
    row.kind = ValueKind::Text;
    row.maxLength = rule.maxCharacters;
    row.minimum = rule.low;
    row.maximum = rule.high;
    if (rule.kind == FieldRule::Kind::Number || rule.kind == FieldRule::Kind::Integer) {
        const bool integer = rule.kind == FieldRule::Kind::Integer;
        row.kind = integer ? ValueKind::Integer : ValueKind::Number;
        row.wording = integer ? RangeWording::Integer : RangeWording::Number;
    }
    const RowEntry entry = ReadRowEntry(row, std::string(text));
    if (!entry.Ok()) return {std::nullopt, entry.message};
    switch (rule.kind) {
        case FieldRule::Kind::Any:
            return {};
        case FieldRule::Kind::Number:
        case FieldRule::Kind::Integer:
            return {entry.value, {}};
        case FieldRule::Kind::Hex: {
            const auto word = ParseHexEntry(text);
            if (!word) return {std::nullopt, kHexEntryMessage};
            return {static_cast<double>(*word), {}};
        }
        case FieldRule::Kind::LooseHex: {
            const auto word = ParseLooseHex(text);
            if (!word) return {};
            return {static_cast<double>(*word), {}};
        }
    }
    return {};
}

}  // namespace vantrel
