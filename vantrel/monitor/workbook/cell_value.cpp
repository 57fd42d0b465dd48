#include "cell_value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantrel::workbook {
namespace {

constexpr int kDisplayDigits = 15;
constexpr int kMaxNesting = 100;  // parentheses deeper than this are refused, not recursed into

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads an unsigned decimal number ("12", "298.1", ".5", "1e3") at the start
// of text; the count of characters used, 0 when there is none.
std::size_t ReadUnsignedNumber(std::string_view text, double& value) {
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc()) return 0;
    return static_cast<std::size_t>(end - text.data());
}

// Recursive descent over: sum := product (('+'|'-') product)*;
// product := unary (('*'|'/') unary)*; unary := ('+'|'-') unary | primary;
// primary := number | '(' sum ')'.
class FormulaParser {
public:
    explicit FormulaParser(std::string_view text) : text_(text) {}

    CellValue Evaluate() {
        const double result = Sum();
        SkipBlanks();
        if (!error_.empty()) return CellValue::Error(error_);
        if (position_ != text_.size()) return CellValue::Error(kValueError);
        if (!std::isfinite(result)) return CellValue::Error(kNumberError);
        return CellValue::Number(result);
    }

private:
    void SkipBlanks() {
        while (position_ < text_.size() && IsBlank(text_[position_])) ++position_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }
    void Fail(const char* error) {
        // The first failure is the one shown, as a parse error hides a division later on.
        if (error_.empty()) error_ = error;
    }

    double Sum() {
        double value = Product();
        while (error_.empty()) {
            if (Take('+')) {
                value += Product();
            } else if (Take('-')) {
                value -= Product();
            } else {
                break;
            }
        }
        return value;
    }

    double Product() {
        double value = Unary();
        while (error_.empty()) {
            if (Take('*')) {
                value *= Unary();
            } else if (Take('/')) {
                const double divisor = Unary();
                if (divisor == 0 && error_.empty()) Fail(kDivideByZeroError);
                value /= divisor;
            } else {
                break;
            }
        }
        return value;
    }

    double Unary() {
        if (Take('-')) return -Unary();
        if (Take('+')) return Unary();
        return Primary();
    }

    double Primary() {
        if (Take('(')) {
            if (++depth_ > kMaxNesting) {
                Fail(kValueError);
                return 0;
            }
            const double value = Sum();
            --depth_;
            if (!Take(')')) Fail(kValueError);
            return value;
        }
        SkipBlanks();
        double value = 0;
        const std::size_t used = ReadUnsignedNumber(text_.substr(position_), value);
        if (used == 0) {
            Fail(kValueError);
            return 0;
        }
        position_ += used;
        return value;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int depth_ = 0;
    std::string error_;
};

}  // namespace

bool ParseNumber(std::string_view text, double& value) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double magnitude = 0;
    if (text.empty() || ReadUnsignedNumber(text, magnitude) != text.size() || !std::isfinite(magnitude)) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

CellValue EvaluateFormula(std::string_view formula) { return FormulaParser(formula).Evaluate(); }

CellValue ValueOfCellText(std::string_view text) {
    if (!text.empty() && text.front() == '=') return EvaluateFormula(text.substr(1));
    double number = 0;
    if (ParseNumber(text, number)) return CellValue::Number(number);
    return CellValue::Text(std::string(text));
}

std::string DisplayText(const CellValue& value) {
    if (!value.IsNumber()) return value.text;
    if (value.number == 0) return "0";  // no "-0"
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", kDisplayDigits, value.number);
    return buffer;
}

}  // namespace vantrel::workbook
