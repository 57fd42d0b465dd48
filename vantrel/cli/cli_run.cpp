#include "cli_run.h"

#include <ostream>

#include "cli_context.h"
#include "command_table.h"

namespace vantrel::cli {
namespace {

int UsageError(std::ostream& err, const std::string& message) {
    err << "vantrel-cli: " << message << "\n" << UsageText();
    return kExitUsage;
}

}  // namespace

std::string TraceForTerminal(const std::string& traceText) {
    std::string text;
    text.reserve(traceText.size());
    for (std::size_t i = 0; i < traceText.size(); ++i) {
        if (traceText[i] == '\r' && i + 1 < traceText.size() && traceText[i + 1] == '\n') continue;
        text += traceText[i];
    }
    return text;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const SimulatorStart& simulator, const SimulatorBootloader& simulatorBootloader) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << UsageText();
        return 0;
    }
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(args, options, error)) return UsageError(err, error);
    const CliCommand* command = FindCommand(options.command);
    if (command == nullptr) return UsageError(err, "unknown command '" + options.command + "'");
    const std::size_t count = options.arguments.size();
    if (count < command->minArguments || count > command->maxArguments) {
        return UsageError(err, "wrong number of arguments for '" + options.command + "'");
    }

    CliContext context(std::move(options), out, err, simulator, simulatorBootloader);
    const int status = command->run(context, context.options.arguments);
    if (status == kExitUsage) {
        err << UsageText();
        return status;
    }
    context.ReportLinkProblems();
    if (context.options.trace && context.Connected()) {
        err << TraceForTerminal(context.link.trace.Text()) << "\n";
    }
    return status;
}

}  // namespace vantrel::cli
