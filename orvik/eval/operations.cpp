#include "orvik/eval/operations.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "orvik/eval/eval_error.h"
#include "orvik/eval/number_text.h"

namespace orvik {
namespace {

struct NumericOperand {
    const std::string& text;
    double value;
};

int32_t ToInt(const NumericOperand& operand, const std::string& op) {
    if (!std::isfinite(operand.value)) throw EvalError(operand.text + " is out of range for " + op);
    return TruncateToInt32(operand.value);
}

double Truth(bool condition) { return condition ? 1.0 : 0.0; }

double ApplyUnary(const std::string& op, const NumericOperand& b) {
    if (op == "~") return ~ToInt(b, op);
    if (op == "!") return Truth(ToInt(b, op) == 0);
    throw EvalError(op + " is not a supported operator");
}

double ApplyBinary(const std::string& op, const NumericOperand& left, const NumericOperand& right) {
    const double a = left.value;
    const double b = right.value;
    if (op == "+") return a + b;
    if (op == "-") return a - b;
    if (op == "*") return a * b;
    if (op == "/") {
        if (b == 0.0) throw EvalError("Division by zero");
        return a / b;
    }
    if (op == ">") return Truth(a > b);
    if (op == "<") return Truth(a < b);
    if (op == ">=") return Truth(a >= b);
    if (op == "<=") return Truth(a <= b);
    if (op == "==") return Truth(a == b);
    if (op == "!=") return Truth(a != b);

    const bool integerOperator =
        op == "%" || op == "<<" || op == ">>" || op == "&" || op == "^" || op == "|" || op == "&&" || op == "||";
    if (!integerOperator) throw EvalError(op + " is not a supported operator");
    const int32_t x = ToInt(left, op);
    const int32_t y = ToInt(right, op);
    if (op == "%") {
        if (y == 0) throw EvalError("Division by zero");
        return y == -1 ? 0 : x % y;  // INT32_MIN % -1 overflows
    }
    const uint32_t shift = static_cast<uint32_t>(y) % 32;
    if (op == "<<") return static_cast<int32_t>(static_cast<uint32_t>(x) << shift);
    if (op == ">>") return x >> shift;
    if (op == "&") return x & y;
    if (op == "^") return x ^ y;
    if (op == "|") return x | y;
    if (op == "&&") return Truth(x != 0 && y != 0);
    return Truth(x != 0 || y != 0);
}

TOKEN ApplyNumeric(const std::string& op, const std::vector<TOKEN>& operands) {
    std::vector<NumericOperand> values;
    values.reserve(operands.size());
    for (const TOKEN& operand : operands) values.push_back({operand.text, NumberOrZero(operand.text)});

    double result = 0.0;
    if (op == "?") {
        result = values[0].value != 0.0 ? values[1].value : values[2].value;
    } else if (values.size() == 1) {
        result = ApplyUnary(op, values[0]);
    } else {
        result = ApplyBinary(op, values[0], values[1]);
    }
    if (!std::isfinite(result)) throw EvalError("Result of " + op + " is out of range");
    return {FormatNumber(result), kTokenNumber};
}

std::string RemoveEvery(std::string text, const std::string& part) {
    if (part.empty()) return text;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part)) text.erase(at, part.size());
    return text;
}

TOKEN ApplyString(const std::string& op, std::vector<TOKEN>& operands) {
    const bool binary = operands.size() == 2;
    std::string result;
    if (binary && op == "+") {
        // Appending to the left text keeps a chain of concatenations linear in its result.
        result = std::move(operands[0].text);
        result += operands[1].text;
    } else if (binary && op == "-") {
        result = RemoveEvery(operands[0].text, operands[1].text);
    } else if (binary && op == "==") {
        result = operands[0].text == operands[1].text ? "1" : "0";
    } else if (binary && op == "!=") {
        result = operands[0].text != operands[1].text ? "1" : "0";
    } else {
        throw EvalError(op + " is not a valid string operator");
    }
    const int32_t kind = StartsWithNumber(result) ? kTokenNumber : kTokenString;
    return {std::move(result), kind};
}

}  // namespace

TOKEN ApplyOperator(const std::string& op, std::vector<TOKEN> operands) {
    for (const TOKEN& operand : operands) {
        if (operand.kind != kTokenNumber) return ApplyString(op, operands);
    }
    if (operands.empty() || (op == "?" && operands.size() != 3)) throw EvalError(op + " is missing an operand");
    return ApplyNumeric(op, operands);
}

}  // namespace orvik
