#include "orvik/definition/availability.h"

#include "orvik/definition/element.h"
#include "orvik/eval/eval.h"

namespace orvik {

std::string MissingDependIdMessage(const std::string& id) {
    return "The value " + id + " named by depend-id does not exist.  Please correct profile.xml and try again.";
}

bool IsAvailable(pugi::xml_node element, const TValMap& values, IReporter& reporter) {
    if (HasAttribute(element, "depend-id") && HasAttribute(element, "depend-val")) {
        const std::string id = AttributeText(element, "depend-id");
        const auto value = values.find(id);
        if (value == values.end()) {
            reporter.Report(kErrorCaption, MissingDependIdMessage(id));
            return false;
        }
        return value->second.value == AttributeText(element, "depend-val");
    }
    if (HasAttribute(element, "depend-eqn")) {
        try {
            CEval eval;
            eval.Compile(AttributeText(element, "depend-eqn"));
            return eval.EvaluateNumber(values) != 0.0;
        } catch (const EvalError& error) {
            reporter.Report(kEquationErrorCaption, error.what());
            return false;
        }
    }
    return true;
}

}  // namespace orvik
