#include "orvik/eval/postfix.h"

namespace orvik {
namespace {

bool IsPunctuation(const TOKEN& token, char c) {
    return token.kind == kTokenPunctuation && token.text.size() == 1 && token.text[0] == c;
}

// "(", "?" and ":" end the run of operators that a new token may pop.
bool StopsPopping(const TOKEN& token) {
    return !token.text.empty() && (token.text[0] == '(' || token.text[0] == '?' || token.text[0] == ':');
}

void PopToOutputUntilStop(std::vector<TOKEN>& stack, std::vector<TOKEN>& output) {
    while (!stack.empty() && !StopsPopping(stack.back())) {
        output.push_back(std::move(stack.back()));
        stack.pop_back();
    }
}

}  // namespace

std::vector<TOKEN> ToPostfix(const std::vector<TOKEN>& infix, const OperatorTable& operators) {
    std::vector<TOKEN> output;
    std::vector<TOKEN> stack;

    for (const TOKEN& token : infix) {
        switch (token.kind) {
            case kTokenNumber:
            case kTokenHex:
            case kTokenName:
            case kTokenString:
                output.push_back(token);
                continue;
            default:
                break;
        }

        if (IsPunctuation(token, '(')) {
            stack.push_back(token);
        } else if (IsPunctuation(token, ')')) {
            while (!stack.empty() && !IsPunctuation(stack.back(), '(')) {
                if (!IsPunctuation(stack.back(), ':')) output.push_back(std::move(stack.back()));
                stack.pop_back();
            }
            if (!stack.empty()) stack.pop_back();
        } else if (IsPunctuation(token, '?')) {
            PopToOutputUntilStop(stack, output);
            stack.push_back(token);
        } else if (IsPunctuation(token, ':')) {
            PopToOutputUntilStop(stack, output);
            if (!stack.empty() && IsPunctuation(stack.back(), ':')) {
                stack.pop_back();
                // The inner conditional is complete: its "?" follows its branches.
                if (!stack.empty()) {
                    output.push_back(std::move(stack.back()));
                    stack.pop_back();
                }
            }
            stack.push_back(token);
        } else {
            const auto incoming = operators.find(token.text);
            while (!stack.empty() && stack.back().kind == kTokenOperator && incoming != operators.end()) {
                const auto top = operators.find(stack.back().text);
                if (top == operators.end()) break;
                const int32_t p = incoming->second.precedence;
                const int32_t q = top->second.precedence;
                const bool pops = incoming->second.leftAssociative ? q >= p : q > p;
                if (!pops) break;
                output.push_back(std::move(stack.back()));
                stack.pop_back();
            }
            stack.push_back(token);
        }
    }

    while (!stack.empty()) {
        if (!IsPunctuation(stack.back(), '(') && !IsPunctuation(stack.back(), ':')) {
            output.push_back(std::move(stack.back()));
        }
        stack.pop_back();
    }
    return output;
}

}  // namespace orvik
