#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "command_line.h"
#include "simulated_pc104_bus.h"
#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "vantrel/config/config_data.h"
#include "vantrel/editors/qt/install_editors.h"
#include "vantrel/link/board_link.h"
#include "vantrel_app.h"

int main(int argc, char** argv) {
    // Before the toolkit starts, so that --help and mistakes need no display.
    std::vector<std::string> args(argv + 1, argv + argc);
    const vantrel::CommandLine commandLine = vantrel::ParseCommandLine(args);
    if (commandLine.help) {
        std::fputs(vantrel::CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "vantrel: %s\n%s", commandLine.error.c_str(), vantrel::CommandLineUsage().c_str());
        return 2;
    }

    QApplication qtApp(argc, argv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setWindowIcon(QIcon(":/vantrel/vantrel.png"));

    // The long-lived objects, in this order; they end in reverse order, the
    // record saving the settings file on the way.
    vantrel::VantrelApp app;

    std::unique_ptr<ixsim::PtyBoard> serialBoard;
    if (commandLine.simulate) {
        try {
            serialBoard = std::make_unique<ixsim::PtyBoard>(ixsim::BoardOptions{});
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vantrel: cannot start the simulated board: %s\n", e.what());
            return 1;
        }
    }

    vantrel::CBoardLink link;
    for (const auto& [port, device] : commandLine.comDevices) link.SetComDevice(port, device);
    if (serialBoard) {
        link.SetComDevice(1, serialBoard->Path());
        auto pc104Board = std::make_shared<ixsim::Pc104Board>(ixsim::BoardOptions{});
        link.SetPortIo(std::make_shared<vantrel::SimulatedPc104Bus>(pc104Board, 0x300));
        std::fprintf(stderr, "vantrel: simulated board on COM1 (%s) and on the PC/104 bus at 300h\n",
                     serialBoard->Path().c_str());
    }

    vantrel::CConfigData record(link, app.SettingsPath());
    app.Attach(link, record);
    vantrel::InstallEditors(app, record);
    app.Run();
    return 0;
}
