#pragma once
#include <string>
#include <string_view>

namespace vantrel::workbook {

// The error values a formula can show.
inline constexpr const char* kValueError = "#VALUE!";
inline constexpr const char* kDivideByZeroError = "#DIV/0!";
inline constexpr const char* kNumberError = "#NUM!";

// What a cell shows: a number, a text, or a formula's error value.
struct CellValue {
    enum class Kind { Number, Text, Error };
    Kind kind = Kind::Text;
    double number = 0;
    std::string text;  // the text, or the error value ("#VALUE!")

    static CellValue Number(double value) { return {Kind::Number, value, {}}; }
    static CellValue Text(std::string value) { return {Kind::Text, 0, std::move(value)}; }
    static CellValue Error(std::string value) { return {Kind::Error, 0, std::move(value)}; }

    bool IsNumber() const { return kind == Kind::Number; }
    bool operator==(const CellValue&) const = default;
};

// A number when the whole text reads as one (blanks around it allowed).
bool ParseNumber(std::string_view text, double& value);

// Formulas of numbers, unary signs, + - * / and parentheses ("=298.1-273.2").
// The value of a formula text (without its "="); kValueError when it is not
// such a formula.
CellValue EvaluateFormula(std::string_view formula);

// What a cell holding text shows: a formula's result for a text beginning with
// "=", a number for a text that reads as one, else the text itself.
CellValue ValueOfCellText(std::string_view text);

// The value as a grid or a .csv shows it: numbers to 15 significant digits, as
// spreadsheets show them ("24.9" for 298.1-273.2).
std::string DisplayText(const CellValue& value);

}  // namespace vantrel::workbook
