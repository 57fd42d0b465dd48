#pragma once
#include <unistd.h>

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scripted_prompter.h"
#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "vantrel/app/com_port_selection_dialog.h"
#include "vantrel/app/device_type_dialog.h"
#include "vantrel/app/dialog_finish.h"
#include "vantrel/app/firmware_version_dialog.h"
#include "vantrel/app/pc104_settings_dialog.h"
#include "vantrel/app/setup_dialog_runner.h"
#include "vantrel/app/vantrel_app.h"
#include "vantrel/config/config_data.h"
#include "vantrel/link/board_link.h"

// A fresh folder that is the current directory while it lives.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/vantrel-app-XXXXXX";
        path_ = mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The PC/104 bus, with a simulated board at one address or none. Records each
// address and protocol the host tried, in order (repeats merged).
class RecordingBus : public vantrel::IPortIo {
public:
    explicit RecordingBus(const vantrel::LinkSettings& settings) : settings_(settings) {}
    std::shared_ptr<ixsim::Pc104Board> board;
    uint16_t boardAddress = 0;
    std::vector<std::pair<int, int>> tried;  // (address, LinkProtocol)

    bool Acquire(std::string&) override { return true; }
    void Out(uint16_t address, uint8_t value) override {
        const std::pair<int, int> now{address, settings_.LinkProtocol};
        if (tried.empty() || tried.back() != now) tried.push_back(now);
        if (board && address == boardAddress) board->Out(value);
    }
    uint8_t In(uint16_t address) override { return board && address == boardAddress ? board->In() : 0xFF; }

private:
    const vantrel::LinkSettings& settings_;
};

// Builds the real setup dialogs without modal loops and acts on them by script.
class ScriptedRunner : public vantrel::ISetupDialogRunner {
public:
    explicit ScriptedRunner(vantrel::VantrelApp& app) : app_(app) {}

    std::function<void(vantrel::FirmwareVersionDialog&)> firmwareVersion;
    std::function<void(vantrel::DeviceTypeDialog&)> deviceType;
    std::function<void(vantrel::ComPortSelectionDialog&)> comPort;
    std::function<void(vantrel::Pc104SettingsDialog&)> pc104;
    std::vector<std::string> ran;

    vantrel::DialogEnd RunFirmwareVersion() override {
        vantrel::FirmwareVersionDialog d(app_.Setup(), *this, app_.firmwareChoice);
        return Drive("Firmware Version", d, firmwareVersion);
    }
    vantrel::DialogEnd RunDeviceType() override {
        vantrel::DeviceTypeDialog d(app_.Setup(), *this);
        return Drive("Device Type", d, deviceType);
    }
    vantrel::DialogEnd RunComPortSelection() override {
        vantrel::ComPortSelectionDialog d(app_.Setup());
        return Drive("COM Port Selection", d, comPort);
    }
    vantrel::DialogEnd RunPc104Settings() override {
        vantrel::Pc104SettingsDialog d(app_.Setup());
        return Drive("IXEN-104 Settings", d, pc104);
    }

private:
    template <typename D>
    vantrel::DialogEnd Drive(const char* name, D& dialog, const std::function<void(D&)>& script) {
        ran.push_back(name);
        dialog.setResult(QDialog::Rejected);
        if (script) script(dialog);
        return vantrel::EndOf(dialog.result());
    }
    vantrel::VantrelApp& app_;
};

struct HarnessOptions {
    std::optional<ixsim::BoardOptions> serialBoard;  // on COM1
    std::optional<ixsim::BoardOptions> pc104Board;
    uint16_t pc104Address = 0x300;
};

// The program's objects in their order, with a scripted prompter and runner;
// every COM port that has no simulated board is one that cannot be opened.
class AppHarness {
public:
    explicit AppHarness(const HarnessOptions& options = {}) {
        app = std::make_unique<vantrel::VantrelApp>();
        runner = std::make_unique<ScriptedRunner>(*app);
        if (options.serialBoard) serialBoard = std::make_unique<ixsim::PtyBoard>(*options.serialBoard);
        link = std::make_unique<vantrel::CBoardLink>();
        for (int port = 1; port <= 8; ++port)
            link->SetComDevice(port, (dir.Path() / ("missing-tty" + std::to_string(port))).string());
        if (serialBoard) link->SetComDevice(1, serialBoard->Path());
        link->pc104ByteDelayMs = 0;
        bus = std::make_shared<RecordingBus>(link->settings);
        if (options.pc104Board) {
            bus->board = std::make_shared<ixsim::Pc104Board>(*options.pc104Board);
            bus->boardAddress = options.pc104Address;
        }
        link->SetPortIo(bus);
        record = std::make_unique<vantrel::CConfigData>(*link, app->SettingsPath());
        app->Attach(*link, *record, &prompter, runner.get());
    }
    ~AppHarness() {
        record.reset();
        link.reset();
        serialBoard.reset();
        app.reset();
    }

    // Bytes the serial board has seen from the host.
    std::size_t SerialBytesReceived() {
        std::size_t n = 0;
        if (serialBoard) serialBoard->WithBoard([&n](ixsim::Board& b) { n = b.received.size(); });
        return n;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<ScriptedRunner> runner;
    std::unique_ptr<vantrel::VantrelApp> app;
    std::unique_ptr<ixsim::PtyBoard> serialBoard;
    std::unique_ptr<vantrel::CBoardLink> link;
    std::shared_ptr<RecordingBus> bus;
    std::unique_ptr<vantrel::CConfigData> record;
};

inline ixsim::BoardOptions BoardWithProtocol(int protocol) {
    ixsim::BoardOptions o;
    o.protocol = protocol;
    return o;
}
