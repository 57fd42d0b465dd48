#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "orvik/wizard/headless_modes.h"
#ifdef ORVIK_WINDOW
#include "orvik/wizard/window/wizard_window.h"
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> code = orvik::RunHeadlessMode(args, std::cout, std::cerr)) return *code;

#ifdef ORVIK_WINDOW
    return orvik::RunWizardWindow(argc, argv);
#else
    std::cerr << "orvik: this build has no window; only --eval and --check are available\n";
    return 1;
#endif
}
