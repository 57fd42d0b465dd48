#include "orvik/eval/opf.h"

namespace orvik {

OperatorTable MakeOperatorTable() {
    OperatorTable table;
    const auto binary = [&table](int32_t precedence, std::initializer_list<const char*> texts) {
        for (const char* text : texts) table.emplace(text, OPF{precedence, 2, true});
    };
    binary(0, {","});
    binary(1, {"||"});
    binary(2, {"&&"});
    binary(3, {"|"});
    binary(4, {"^"});
    binary(5, {"&"});
    binary(6, {"!=", "=="});
    binary(7, {">=", "<=", ">", "<"});
    binary(8, {"<<", ">>"});
    binary(9, {"-", "+"});
    binary(10, {"*", "%", "/"});
    table.emplace("!", OPF{11, 1, false});
    table.emplace("~", OPF{11, 1, false});
    return table;
}

}  // namespace orvik
