#include "cli_options.h"

#include <charconv>

#include "vantrel/link/link_settings.h"

namespace vantrel::cli {

bool ParseNumber(const std::string& text, unsigned max, unsigned& value) {
    int base = 10;
    std::size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    if (start >= text.size()) return false;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    unsigned parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, base);
    if (error != std::errc{} || end != last || parsed > max) return false;
    value = parsed;
    return true;
}

namespace {

bool ParseComMapping(const std::string& text, CliOptions& options, std::string& error) {
    const auto equals = text.find('=');
    unsigned port = 0;
    if (equals == std::string::npos || !ParseNumber(text.substr(0, equals), 8, port) || port < 1 ||
        equals + 1 == text.size()) {
        error = "--com wants N=DEVICE with N from 1 to 8, got '" + text + "'";
        return false;
    }
    options.comDevices[static_cast<int>(port)] = text.substr(equals + 1);
    return true;
}

struct NumericOption {
    const char* name;
    int CliOptions::*field;
    unsigned max;
};

constexpr NumericOption kNumericOptions[] = {
    {"--port", &CliOptions::portSelection, 13},
    {"--protocol", &CliOptions::linkProtocol, 2},
    {"--firmware", &CliOptions::firmwareType, 2},
    {"--selector", &CliOptions::selectorAddressing, 1},
};

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& option = args[i];
        if (option == "--trace") {
            options.trace = true;
            continue;
        }
        if (option == "--simulate") {
            options.simulate = true;
            continue;
        }
        const NumericOption* numeric = nullptr;
        for (const auto& candidate : kNumericOptions) {
            if (option == candidate.name) numeric = &candidate;
        }
        if (numeric == nullptr && option != "--com") {
            error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (numeric == nullptr) {
            if (!ParseComMapping(value, options, error)) return false;
            continue;
        }
        unsigned parsed = 0;
        if (!ParseNumber(value, numeric->max, parsed)) {
            error = option + " wants a number from 0 to " + std::to_string(numeric->max) + ", got '" + value + "'";
            return false;
        }
        options.*numeric->field = static_cast<int>(parsed);
    }
    if (!IsSerialSelection(options.portSelection) && !IsPc104Selection(options.portSelection)) {
        error = "--port wants 1 to 8 (COM1 to COM8) or 10 to 13 (PC/104 at 300h, 310h, 320h, 360h)";
        return false;
    }
    if (i >= args.size()) {
        error = "no command given";
        return false;
    }
    options.command = args[i];
    options.arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    return true;
}

}  // namespace vantrel::cli
