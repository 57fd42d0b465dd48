#include "orvik/wizard/window/wizard_window.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <string>

#include <QApplication>
#include <QIcon>

#include "orvik/definition/reporter.h"
#include "orvik/wizard/window/command_line.h"
#include "orvik/wizard/window/qt_prompter.h"
#include "orvik/wizard/window/tf_profile.h"
#include "orvik/wizard/window/wizard_files.h"

namespace orvik {

int RunWizardWindow(int argc, char** argv) {
    // Taken before the toolkit removes its own options from the arguments.
    const std::string commandLine = JoinArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(":/orvik/orvik.png"));
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();

    QtPrompter prompter;
    TfProfile window(prompter, programFolder);
    prompter.SetOwner(&window);
    const std::string definitionPath = FindDefinitionFile(programFolder);
    try {
        window.Start(definitionPath);
    } catch (const std::exception& error) {
        std::error_code missing;
        const bool found = std::filesystem::exists(definitionPath, missing);
        prompter.Report(kErrorCaption,
                        found ? error.what() : std::string(error.what()) + "\n" + DefinitionSearchNote(programFolder));
        return 1;
    }
    window.SetCommandLine(commandLine);
    window.show();
    try {
        window.exec();
    } catch (const std::exception& error) {
        prompter.Report(kErrorCaption, error.what());
    }
    return window.ExitCode();
}

}  // namespace orvik
