#include "help_commands.h"

#include <filesystem>
#include <fstream>

#include "desktop.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

#ifndef IXEN_WEB_HELP_ADDRESS
#error "IXEN_WEB_HELP_ADDRESS is set by the build"
#endif
const char* const kWebHelpAddress = IXEN_WEB_HELP_ADDRESS;

std::string ManualNotFoundMessage(const std::string& fileName) { return fileName + " File Not Found"; }

void OpenManual(const std::string& startDirectory, const std::string& fileName, IDesktop& desktop,
                IPrompter& prompter) {
    const std::filesystem::path path = std::filesystem::path(startDirectory) / fileName;
    std::error_code error;
    // A folder of that name opens as a stream too, but it is no manual.
    const bool readable = std::filesystem::is_regular_file(path, error) && std::ifstream(path).is_open();
    if (!readable) {
        prompter.Message(ManualNotFoundMessage(fileName));
        return;
    }
    desktop.OpenFile(path.string());
}

void OpenWebHelp(IDesktop& desktop) { desktop.OpenAddress(kWebHelpAddress); }

}  // namespace vantrel
