#pragma once

namespace orvik {

// Runs the wizard's window until it closes; the result is the program's exit
// code: 0 when a profile was saved, 1 otherwise (also when the definition
// cannot be read).
int RunWizardWindow(int argc, char** argv);

}  // namespace orvik
