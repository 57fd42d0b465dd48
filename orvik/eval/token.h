#pragma once
#include <cstdint>
#include <string>

namespace orvik {

enum TokenKind : int32_t {
    kTokenOperator = 0,     // a key of the operator table
    kTokenNumber = 1,       // decimal literal, or any value taken as numeric
    kTokenHex = 2,          // hexadecimal literal, text already in decimal
    kTokenName = 3,         // name of a value
    kTokenPunctuation = 4,  // "(", ")", "?", ":"
    kTokenString = 5,       // string literal, or a string result
};

// One unit of an expression: in the compiled postfix list and on the value stack.
struct TOKEN {
    std::string text;
    int32_t kind = kTokenNumber;

    bool operator==(const TOKEN&) const = default;
};

}  // namespace orvik
