#pragma once
#include <string>
#include <vector>

#include "orvik/eval/token.h"

namespace orvik {

// Applies an operator ("?" included) to its operands, leftmost first. When every
// operand is of kind number the operation is numeric and the result is written
// as "%.10g"; otherwise it is a string operation on the texts. Throws EvalError.
// The operands are taken over, so a concatenation grows its left text in place.
TOKEN ApplyOperator(const std::string& op, std::vector<TOKEN> operands);

}  // namespace orvik
