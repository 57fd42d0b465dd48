#pragma once
#include <string>

namespace vantrel {

class IDesktop;
class IPrompter;

// The maker's web site: Help > Web Based Help and the About box's link.
// Set at configure time (IXEN_WEB_HELP_ADDRESS).
extern const char* const kWebHelpAddress;

// "Vantrel.pdf File Not Found" and the like.
std::string ManualNotFoundMessage(const std::string& fileName);

// Help's manuals: fileName in the start directory, opened with the desktop's
// application for it when it can be read, otherwise its not-found message. An
// existing manual that the desktop then fails to open is not reported.
void OpenManual(const std::string& startDirectory, const std::string& fileName, IDesktop& desktop,
                IPrompter& prompter);

// Help > Web Based Help: nothing is checked or reported.
void OpenWebHelp(IDesktop& desktop);

}  // namespace vantrel
