#pragma once
#include <string>

namespace orvik {

// Captions of the message boxes the engine raises.
inline constexpr const char* kErrorCaption = "Error:";
inline constexpr const char* kEquationErrorCaption = "Equation error:";
inline constexpr const char* kEvaluationErrorCaption = "Evaluation Error:";
inline constexpr const char* kReadErrorCaption = "ERROR";

// Where the engine's message boxes go: the window shows them, tests record them.
class IReporter {
public:
    virtual ~IReporter() = default;
    virtual void Report(const std::string& caption, const std::string& text) = 0;
};

// For looking ahead, where a message would describe something not being shown.
class NullReporter final : public IReporter {
public:
    void Report(const std::string&, const std::string&) override {}
};

}  // namespace orvik
