#include "config_command_support.h"

#include <unistd.h>

#include <iostream>
#include <ostream>

#include "cli_context.h"
#include "vantrel/config/configuration_file.h"
#include "vantrel/config/file_names.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/profile_writer.h"

namespace vantrel::cli {

TerminalProgress::TerminalProgress(CliContext& context, std::string label, int total)
    : err_(context.err),
      shown_(&context.err == &std::cerr && isatty(STDERR_FILENO) == 1),
      label_(std::move(label)),
      total_(total) {}

TerminalProgress::~TerminalProgress() {
    if (shown_ && done_ > 0) err_ << "\n";
}

void TerminalProgress::StepProgress() {
    ++done_;
    if (shown_) err_ << "\r" << label_ << " " << done_ << "/" << total_ << std::flush;
}

BoardSession::BoardSession(CliContext& context, ConfigFields& fields)
    : transactor(context.link),
      transfer(transactor, fields, commands),
      session{transfer, busy, context.prompter} {}

bool LoadConfiguration(CliContext& context, const std::string& path, ConfigFields& fields) {
    const std::string extension = LowerExtension(path);
    if (extension != "psd" && extension != "hex") {
        context.err << "vantrel-cli: " << texts::kOnlyHexOrPsd << "\n";
        return false;
    }
    EepromImage image;
    if (const auto failure = ReadConfigurationImage(path, image)) {
        context.err << "vantrel-cli: " << *failure << "\n";
        return false;
    }
    fields.ResetFields();
    FromImage(image, fields);
    return true;
}

bool IsProfilePath(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension.empty() || extension == "psd";
}

int SaveConfiguration(CliContext& context, const std::string& path, const ConfigFields& fields) {
    if (!IsProfilePath(path)) {
        context.prompter.Message(texts::kMustSaveAsPsd);
        return 1;
    }
    EepromImage image;
    ToImage(fields, image);
    if (WriteProfile(path, image, context.link.trace, context.prompter) == 0) return 0;
    context.err << "vantrel-cli: " << path << " was not written\n";
    return 1;
}

}  // namespace vantrel::cli
