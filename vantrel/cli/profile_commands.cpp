#include <ostream>

#include "cli_context.h"
#include "cli_options.h"
#include "config_command_support.h"
#include "config_commands.h"
#include "profile_set_command.h"
#include "vantrel/config/field_listing.h"

namespace vantrel::cli {
namespace {

constexpr int kDiffTrouble = 2;

int Usage(CliContext& context) {
    context.err << "vantrel-cli: profile wants: new FILE | check FILE | convert IN OUT | show FILE | diff A B"
                   " | set FILE OFFSET=VALUE...\n";
    return kExitUsage;
}

int New(CliContext& context, const std::string& path) {
    ConfigFields fields;
    fields.ResetFields();
    return SaveConfiguration(context, path, fields);
}

int Check(CliContext& context, const std::string& path) {
    ConfigFields fields;
    return LoadConfiguration(context, path, fields) ? 0 : 1;
}

int Convert(CliContext& context, const std::string& in, const std::string& out) {
    ConfigFields fields;
    if (!LoadConfiguration(context, in, fields)) return 1;
    return SaveConfiguration(context, out, fields);
}

int Show(CliContext& context, const std::string& path) {
    ConfigFields fields;
    if (!LoadConfiguration(context, path, fields)) return 1;
    context.out << FieldListing(fields, context.options.firmware());
    return 0;
}

// Exit 0 when the files hold the same configuration, 1 when they differ, 2 when one cannot be read.
int Diff(CliContext& context, const std::string& a, const std::string& b) {
    ConfigFields first;
    ConfigFields second;
    if (!LoadConfiguration(context, a, first) || !LoadConfiguration(context, b, second)) return kDiffTrouble;
    const std::string differences = FieldDifferences(first, second, context.options.firmware());
    context.out << differences;
    return differences.empty() ? 0 : 1;
}

}  // namespace

int RunProfile(CliContext& context, const std::vector<std::string>& arguments) {
    const std::string& action = arguments[0];
    const std::size_t count = arguments.size() - 1;
    if (count == 1 && action == "new") return New(context, arguments[1]);
    if (count == 1 && action == "check") return Check(context, arguments[1]);
    if (count == 2 && action == "convert") return Convert(context, arguments[1], arguments[2]);
    if (count == 1 && action == "show") return Show(context, arguments[1]);
    if (count == 2 && action == "diff") return Diff(context, arguments[1], arguments[2]);
    if (count >= 2 && action == "set") {
        return RunProfileSet(context, arguments[1], std::vector<std::string>(arguments.begin() + 2, arguments.end()));
    }
    return Usage(context);
}

}  // namespace vantrel::cli
