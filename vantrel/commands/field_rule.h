#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr const char* kHexEntryMessage =
    "Error: Hex input must be of the form:\n0xYYYY or xYYYY or YYYY\nWhere Y is 0-9 or A-F or a-f";

// What a value field accepts.
struct FieldRule {
    enum class Kind {
        Any,      // no check
        Number,   // a real number from low to high
        Integer,  // an integer from low to high
        Hex,      // the hex entry rule: "0xYYYY", "xYYYY" or "YYYY"
        LooseHex  // hexadecimal with an optional "0x"; anything else keeps the old value, silently
    };
    Kind kind = Kind::Any;
    double low = 0;
    double high = 0;
    int maxCharacters = 0;  // 0: no limit

    static FieldRule Number(double lo, double hi) { return {Kind::Number, lo, hi, 0}; }
    static FieldRule Integer(double lo, double hi) { return {Kind::Integer, lo, hi, 0}; }
    static FieldRule HexWord() { return {Kind::Hex, 0, 0xFFFF, 6}; }
    static FieldRule LooseHexWord() { return {Kind::LooseHex, 0, 0xFFFF, 0}; }
    static FieldRule Text(int maxChars) { return {Kind::Any, 0, 0, maxChars}; }
};

// A field text checked against its rule: the value it stands for, or the
// message that refuses it. A LooseHex text that is not hexadecimal gives
// neither: the value simply stays as it was.
struct FieldCheck {
    std::optional<double> value;
    std::string message;  // empty when accepted

    bool Refused() const { return !message.empty(); }
};
FieldCheck CheckField(const FieldRule& rule, std::string_view text);

// The hex entry rule alone: the word YYYY, or nothing.
std::optional<unsigned> ParseHexEntry(std::string_view text);

// A number as the validation messages and the real fields show it: 6553.5, -32768, 298.1.
std::string FormatPlainNumber(double value);

}  // namespace vantrel
