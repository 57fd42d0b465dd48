#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "command_line.h"
#include "main_window.h"
#include "vantrel/config/config_data.h"
#include "vantrel/firmware/firmware_update_dialog.h"
#include "vantrel/editors/model/editor_context.h"
#include "vantrel/editors/qt/install_editors.h"
#include "vantrel/link/board_link.h"
#include "vantrel/sim_bridge/simulated_board.h"
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
        return vantrel::kExitUsage;
    }

    QApplication qtApp(argc, argv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setWindowIcon(QIcon(":/vantrel/vantrel.png"));

    // The long-lived objects, in this order; they end in reverse order, the
    // record saving the settings file on the way.
    vantrel::VantrelApp app;
    // The simulated boards of --simulate end after the link.
    std::unique_ptr<vantrel::SimulatedBoard> serialBoard;
    std::unique_ptr<vantrel::SimulatedBoard> pc104Board;
    vantrel::CBoardLink link;
    for (const auto& [port, device] : commandLine.comDevices) link.SetComDevice(port, device);
    if (commandLine.simulate) {
        try {
            const vantrel::FirmwareType firmware = commandLine.simulatedFirmware;
            serialBoard = std::make_unique<vantrel::SimulatedBoard>(link, 1, vantrel::PowerUpSerialBoard(firmware));
            pc104Board = std::make_unique<vantrel::SimulatedBoard>(link, 10, vantrel::PowerUpPc104Board(firmware));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vantrel: cannot start the simulated board: %s\n", e.what());
            return 1;
        }
        std::fprintf(stderr, "vantrel: simulated board on %s and on %s\n", serialBoard->Where().c_str(),
                     pc104Board->Where().c_str());
    }

    vantrel::CConfigData record(link, app.SettingsPath());
    app.Attach(link, record);

    // Init > FW Update on the file last opened through File > Open. With --simulate,
    // confirming the instructions does to the boards what jumper and power-up do.
    std::function<void()> enterBootloader;
    if (serialBoard) {
        enterBootloader = [&serialBoard, &pc104Board] {
            serialBoard->EnterBootloader();
            pc104Board->EnterBootloader();
        };
    }
    auto programFile = [&record]() -> std::optional<std::string> {
        if (record.loaded == 0) return std::nullopt;
        return record.filePath;
    };
    vantrel::FirmwareUpdateDialog firmwareUpdate(
        vantrel::FirmwareUpdateContext{link, record.CommBusy, app.Prompter(), programFile, enterBootloader},
        &app.Window());
    app.hooks.firmwareUpdate = [&firmwareUpdate] { firmwareUpdate.exec(); };
    // Update All runs the realtime clock and I2C consoles' passes once their windows exist.
    vantrel::ConsolePasses& consolePasses = vantrel::InstallEditors(app, record);
    consolePasses.clockOrI2cOpen = [&app] { return app.ClockOrI2cConsoleOpen(); };
    consolePasses.read = [&app] { app.UpdateAllConsoleRead(); };
    consolePasses.write = [&app] { app.UpdateAllConsoleWrite(); };
    if (commandLine.wizard)
        QTimer::singleShot(0, [&app] { app.Execute(vantrel::MenuCommand::ToolsOrvik); });
    app.Run();
    return 0;
}
