#pragma once
#include <string>
#include <vector>

#include "orvik/eval/opf.h"
#include "orvik/eval/token.h"

namespace orvik {

// Splits an expression into tokens in written order. Spaces are dropped
// everywhere (string literals included); hexadecimal literals come out with
// their decimal text. Throws EvalError for an unknown operator, an invalid or
// too large hexadecimal literal, or an unterminated string literal.
std::vector<TOKEN> Tokenize(const std::string& expression, const OperatorTable& operators);

}  // namespace orvik
