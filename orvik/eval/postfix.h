#pragma once
#include <vector>

#include "orvik/eval/opf.h"
#include "orvik/eval/token.h"

namespace orvik {

// Reorders tokens into postfix order. The conditional "a ? b : c" becomes
// a, b, c, "?". Unmatched parentheses are tolerated, never an error.
std::vector<TOKEN> ToPostfix(const std::vector<TOKEN>& infix, const OperatorTable& operators);

}  // namespace orvik
