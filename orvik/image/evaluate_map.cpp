#include "orvik/image/evaluate_map.h"

#include <type_traits>

#include "orvik/definition/element.h"
#include "orvik/eval/eval.h"
#include "orvik/image/presets.h"

namespace orvik {
namespace {

template <class Target, class Variables>
bool EvaluateInto(Target& target, const Variables& variables, IReporter& reporter) {
    CEval eval;
    for (auto& [name, entry] : target) {
        if (entry.expression.empty()) continue;
        try {
            eval.Compile(entry.expression);
            entry.value = eval.Evaluate(variables);
        } catch (const EvalError& error) {
            reporter.Report(kEvaluationErrorCaption, error.what());
            return false;
        }
        if constexpr (std::is_same_v<Target, TValMap>) {
            if (IsElementNamed(entry.element, "choose")) ApplyPresets(entry.element, entry.value, target);
        }
    }
    return true;
}

}  // namespace

bool EvaluateMap(TMemMap& memory, const TValMap& values, IReporter& reporter) {
    return EvaluateInto(memory, values, reporter);
}

bool EvaluateMap(TValMap& values, const TMemMap& memory, IReporter& reporter) {
    return EvaluateInto(values, memory, reporter);
}

}  // namespace orvik
