#pragma once
#include <functional>
#include <string>
#include <vector>

#include "orvik/eval/eval_error.h"
#include "orvik/eval/opf.h"
#include "orvik/eval/token.h"
#include "orvik/eval/values.h"

namespace orvik {

// Compiles an infix expression once, then evaluates it against tables of named
// text values as often as needed. Every failure is thrown as EvalError.
class CEval {
public:
    CEval();

    // Replaces the compiled expression; after a failure nothing is compiled.
    void Compile(const std::string& expression);

    // The text of the value left on top of the stack.
    std::string Evaluate(const TValMap& values) const;
    std::string Evaluate(const TMemMap& memory) const;

    // The number at the start of Evaluate's result; a result that starts with
    // no number, or is out of the double range, is a failure.
    double EvaluateNumber(const TValMap& values) const;
    double EvaluateNumber(const TMemMap& memory) const;

    const OperatorTable& Operators() const { return operators_; }
    const std::vector<TOKEN>& Compiled() const { return postfix_; }

private:
    // The value text of a name, or null when the table has no such name.
    using ValueLookup = std::function<const std::string*(const std::string&)>;

    std::string Run(const ValueLookup& lookup) const;
    static double ResultNumber(const std::string& result);

    OperatorTable operators_;
    std::vector<TOKEN> postfix_;
};

}  // namespace orvik
