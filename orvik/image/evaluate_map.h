#pragma once
#include "orvik/definition/reporter.h"
#include "orvik/eval/values.h"

namespace orvik {

// Computes, in name order, every target entry that has an expression, with the
// other table as its variables. A "choose" value applies its presets at once.
// The first evaluator failure is reported under "Evaluation Error:" and ends the
// run (false); entries not reached keep their values.
bool EvaluateMap(TMemMap& memory, const TValMap& values, IReporter& reporter);  // saving
bool EvaluateMap(TValMap& values, const TMemMap& memory, IReporter& reporter);  // loading

}  // namespace orvik
