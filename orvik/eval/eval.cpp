#include "orvik/eval/eval.h"

#include <cmath>
#include <iterator>
#include <utility>

#include "orvik/eval/number_text.h"
#include "orvik/eval/operations.h"
#include "orvik/eval/postfix.h"
#include "orvik/eval/tokenizer.h"

namespace orvik {
namespace {

template <class Map>
const std::string* FindValueText(const Map& table, const std::string& name) {
    const auto found = table.find(name);
    return found == table.end() ? nullptr : &found->second.value;
}

}  // namespace

CEval::CEval() : operators_(MakeOperatorTable()) {}

void CEval::Compile(const std::string& expression) {
    postfix_.clear();
    postfix_ = ToPostfix(Tokenize(expression, operators_), operators_);
}

std::string CEval::Evaluate(const TValMap& values) const {
    return Run([&values](const std::string& name) { return FindValueText(values, name); });
}

std::string CEval::Evaluate(const TMemMap& memory) const {
    return Run([&memory](const std::string& name) { return FindValueText(memory, name); });
}

double CEval::EvaluateNumber(const TValMap& values) const { return ResultNumber(Evaluate(values)); }

double CEval::EvaluateNumber(const TMemMap& memory) const { return ResultNumber(Evaluate(memory)); }

double CEval::ResultNumber(const std::string& result) {
    const LeadingNumber number = ReadLeadingNumber(result);
    if (!number.found) throw EvalError(result + " is not a number");
    if (!std::isfinite(number.value)) throw EvalError(result + " is out of range");
    return number.value;
}

std::string CEval::Run(const ValueLookup& lookup) const {
    if (postfix_.empty()) throw EvalError("Empty expression");

    std::vector<TOKEN> stack;
    for (const TOKEN& token : postfix_) {
        switch (token.kind) {
            case kTokenNumber:
            case kTokenHex:
                stack.push_back({token.text, kTokenNumber});
                break;
            case kTokenName: {
                const std::string* text = lookup(token.text);
                if (text == nullptr) throw EvalError("Variable " + token.text + " not found.");
                stack.push_back({*text, kTokenNumber});
                break;
            }
            case kTokenString:
                stack.push_back(token);
                break;
            default: {
                std::size_t count = 3;
                if (token.text != "?") {
                    const auto op = operators_.find(token.text);
                    if (op == operators_.end()) throw EvalError(token.text + " is not a supported operator");
                    count = static_cast<std::size_t>(op->second.operands);
                }
                if (stack.size() < count) throw EvalError(token.text + " is missing an operand");
                std::vector<TOKEN> operands(std::make_move_iterator(stack.end() - static_cast<std::ptrdiff_t>(count)),
                                            std::make_move_iterator(stack.end()));
                stack.resize(stack.size() - count);
                stack.push_back(ApplyOperator(token.text, std::move(operands)));
                break;
            }
        }
    }
    return stack.back().text;
}

}  // namespace orvik
