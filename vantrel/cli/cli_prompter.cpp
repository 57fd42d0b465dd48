#include "cli_prompter.h"

#include <ostream>

namespace vantrel::cli {

void CliPrompter::Message(const std::string& text, const std::string&) { err_ << "vantrel-cli: " << text << "\n"; }

}  // namespace vantrel::cli
