#pragma once
#include <stdexcept>
#include <string>

namespace orvik {

// Every evaluator failure: what() is the message text shown to the user.
class EvalError : public std::runtime_error {
public:
    explicit EvalError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace orvik
