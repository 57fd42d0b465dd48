#include "orvik/wizard/headless_modes.h"

#include "orvik/definition/profile_definition.h"
#include "orvik/eval/eval.h"
#include "orvik/wizard/definition_check.h"

namespace orvik {
namespace {

constexpr int kUsageError = 2;

int RunEval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) {
        err << "usage: orvik --eval EXPR [NAME=VALUE]...\n";
        return kUsageError;
    }
    TValMap values;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::size_t equals = args[i].find('=');
        if (equals == std::string::npos || equals == 0) {
            err << "orvik: expected NAME=VALUE, got " << args[i] << "\n";
            return kUsageError;
        }
        values[args[i].substr(0, equals)].value = args[i].substr(equals + 1);
    }
    try {
        CEval eval;
        eval.Compile(args[1]);
        out << eval.Evaluate(values) << "\n";
        return 0;
    } catch (const EvalError& error) {
        err << error.what() << "\n";
        return 1;
    }
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 2) {
        err << "usage: orvik --check [FILE]\n";
        return kUsageError;
    }
    ProfileDefinition definition;
    try {
        definition.LoadFile(args.size() == 2 ? args[1] : ProfileDefinition::kDefaultFileName);
    } catch (const DefinitionError& error) {
        out << error.what() << "\n";
        return 1;
    }
    const std::vector<std::string> problems = CheckDefinition(definition);
    for (const std::string& problem : problems) out << problem << "\n";
    if (!problems.empty()) return 1;
    out << "OK\n";
    return 0;
}

constexpr const char* kUsage =
    "usage: orvik [-f PROFILE]\n"
    "       orvik --eval EXPR [NAME=VALUE]...\n"
    "       orvik --check [FILE]\n"
    "       orvik --help\n"
    "\n"
    "Without an option the wizard's window opens; it reads profile.xml from the\n"
    "current folder, else from the program's folder. -f loads PROFILE (.psd) on the\n"
    "first Next. Saving writes the chosen profile and working.psd beside the program;\n"
    "the exit code is 0 when a profile was saved, 1 when not.\n"
    "  --eval   evaluates EXPR with the given values and prints the result\n"
    "  --check  lists the problems of a definition file (default profile.xml),\n"
    "           or prints OK; exit 1 when there is any\n"
    "  --help   prints this text\n";

}  // namespace

std::optional<int> RunHeadlessMode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return std::nullopt;
    if (args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    if (args[0] == "--eval") return RunEval(args, out, err);
    if (args[0] == "--check") return RunCheck(args, out, err);
    return std::nullopt;
}

}  // namespace orvik
