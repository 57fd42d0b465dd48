// Any expression text must compile and evaluate or fail with a message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "orvik/eval/eval.h"

namespace {

orvik::TValMap FuzzValues() {
    orvik::TValMap values;
    const char* const rows[][2] = {{"A", "1"},      {"Mode", "fast"}, {"Big", "4294967295"}, {"Huge", "1E999"},
                                   {"Neg", "-2.5"}, {"Empty", ""},    {"x", "0x10"},         {"a.b", "7e3"}};
    for (const auto& row : rows) values[row[0]].value = row[1];
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const orvik::TValMap values = FuzzValues();
    static const orvik::TMemMap memory = [] {
        orvik::TMemMap locations;
        locations["A"].value = "255";
        return locations;
    }();
    static orvik::CEval eval;
    const std::string expression(reinterpret_cast<const char*>(data), size);
    try {
        eval.Compile(expression);
    } catch (const orvik::EvalError&) {
        return 0;
    }
    try {
        (void)eval.Evaluate(values);
    } catch (const orvik::EvalError&) {
    }
    try {
        (void)eval.EvaluateNumber(memory);
    } catch (const orvik::EvalError&) {
    }
    return 0;
}
