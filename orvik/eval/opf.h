#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace orvik {

// What the evaluator knows about one operator.
struct OPF {
    int32_t precedence = 0;  // 0 (weakest) to 11
    int32_t operands = 2;    // taken from the value stack: 1 or 2
    bool leftAssociative = true;
};

using OperatorTable = std::map<std::string, OPF>;

// The 21 operators; "?" ":" are not among them, the compiler handles them.
OperatorTable MakeOperatorTable();

// Longest operator text in the table; the tokenizer tries this length first.
constexpr std::size_t kLongestOperator = 3;

}  // namespace orvik
