#include "orvik/eval/tokenizer.h"

#include <cstdint>
#include <string_view>

#include "orvik/eval/eval_error.h"

namespace orvik {
namespace {

constexpr std::string_view kNameCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOOPQRSTUVWXYZ_0123456789.";
constexpr std::string_view kNumberCharacters = "0123456789xABCDEF.";
constexpr std::string_view kPunctuation = "()?:";
constexpr int64_t kLargestHexLiteral = 0x7FFFFFFF;

bool IsNameCharacter(char c) { return kNameCharacters.find(c) != std::string_view::npos; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

TOKEN HexLiteral(const std::string& word) {
    const std::string_view digits = std::string_view(word).substr(2);
    if (digits.empty()) throw EvalError(word + " is not a valid hexadecimal literal");
    int64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) throw EvalError(word + " is not a valid hexadecimal literal");
        value = value * 16 + digit;
        if (value > kLargestHexLiteral) {
            throw EvalError("Hexadecimal literal " + word + " is larger than 0x7FFFFFFF");
        }
    }
    return {std::to_string(value), kTokenHex};
}

TOKEN ClassifyWord(const std::string& word) {
    if (word.find_first_not_of(kNumberCharacters) != std::string::npos) return {word, kTokenName};
    if (word.find('x') == std::string::npos) return {word, kTokenNumber};
    if (word.starts_with("0x")) return HexLiteral(word);
    return {word, kTokenName};
}

}  // namespace

std::vector<TOKEN> Tokenize(const std::string& expression, const OperatorTable& operators) {
    std::string text;
    for (char c : expression) {
        if (c != ' ') text += c;
    }

    std::vector<TOKEN> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && IsNameCharacter(text[end])) ++end;
        if (end > pos) tokens.push_back(ClassifyWord(text.substr(pos, end - pos)));
        pos = end;

        while (end < text.size() && !IsNameCharacter(text[end])) ++end;
        std::string_view run(text.data() + pos, end - pos);
        pos = end;

        while (!run.empty()) {
            bool matched = false;
            for (std::size_t length = kLongestOperator; length >= 1 && !matched; --length) {
                if (run.size() < length) continue;
                const std::string candidate(run.substr(0, length));
                if (operators.find(candidate) != operators.end()) {
                    tokens.push_back({candidate, kTokenOperator});
                    run.remove_prefix(length);
                    matched = true;
                }
            }
            if (matched) continue;

            if (kPunctuation.find(run.front()) != std::string_view::npos) {
                tokens.push_back({std::string(1, run.front()), kTokenPunctuation});
                run.remove_prefix(1);
                continue;
            }

            if (run.front() == '\'') {
                // The literal ends at the next quote, even when that quote is still
                // part of this run of punctuation (as in '' or '+').
                const std::size_t closeInRun = run.find('\'', 1);
                if (closeInRun != std::string_view::npos) {
                    tokens.push_back({std::string(run.substr(1, closeInRun - 1)), kTokenString});
                    run.remove_prefix(closeInRun + 1);
                    continue;
                }
                const std::size_t close = text.find('\'', pos);
                if (close == std::string::npos) throw EvalError("Unterminated string literal");
                tokens.push_back({std::string(run.substr(1)) + text.substr(pos, close - pos), kTokenString});
                pos = close + 1;
                run = {};
                continue;
            }

            throw EvalError(std::string(run) + " is not a supported operator");
        }
    }
    return tokens;
}

}  // namespace orvik
