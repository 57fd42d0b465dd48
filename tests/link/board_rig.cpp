#include "tests/support/wait_until.h"
#include "board_rig.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "vantrel/sim_bridge/simulated_pc104_bus.h"

namespace linktest {

ixsim::BoardOptions Patient(ixsim::BoardOptions options) {
    constexpr int kPatientByteTimeoutMs = 60'000;
    options.byteTimeoutMs = kPatientByteTimeoutMs;
    return options;
}

std::string TransportName(Transport transport) { return transport == Transport::kSerial ? "Serial" : "Pc104"; }

RewritingBoard::RewritingBoard(ixsim::BoardOptions options, std::map<int, uint8_t> replacements)
    : board_(std::move(options)), replacements_(std::move(replacements)) {}

std::vector<uint8_t> RewritingBoard::Answer(uint8_t hostByte) {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> answer = board_.OnHostByte(hostByte);
    for (uint8_t& byte : answer) {
        const auto found = replacements_.find(answers_++);
        if (found != replacements_.end()) byte = found->second;
    }
    return answer;
}

void RewritingBoard::WithBoard(const std::function<void(ixsim::Board&)>& fn) {
    std::lock_guard lock(mutex_);
    fn(board_);
}

void ScriptedPortIo::Out(uint16_t address, uint8_t value) {
    if (address != 0x300) return;
    const std::vector<uint8_t> answer = board_->Answer(value);
    answers_.assign(answer.begin(), answer.end());
}

uint8_t ScriptedPortIo::In(uint16_t address) {
    if (address != 0x300 || answers_.empty()) return 0xFF;
    const uint8_t byte = answers_.front();
    answers_.pop_front();
    return byte;
}

void BoardRig::Configure(const ixsim::BoardOptions& options) {
    vantrel::LinkSettings& settings = link.settings;
    settings.LinkProtocol = static_cast<uint16_t>(options.protocol);
    settings.FirmwareType = static_cast<vantrel::FirmwareType>(options.firmwareType);
    settings.SelectorAddressing = options.altAddresses ? 1 : 0;
    settings.BoardWriteAddress = options.altAddresses ? 0x14 : 0x12;
    settings.BoardReadAddress = static_cast<uint8_t>(settings.BoardWriteAddress | 1);
    link.readTimeouts.perByteMs = 50;
    link.readTimeouts.constantMs = 50;
    link.pc104ByteDelayMs = 1;
    if (transport == Transport::kSerial) {
        settings.PortSelection = 1;
        if (link.Open(1, 9600) != 1) throw std::runtime_error("cannot open " + link.ComDevice(1));
    } else {
        settings.PortSelection = 10;
    }
}

std::unique_ptr<BoardRig> BoardRig::Simulated(Transport transport, ixsim::BoardOptions options) {
    options = Patient(std::move(options));
    auto rig = std::make_unique<BoardRig>();
    rig->transport = transport;
    if (transport == Transport::kSerial) {
        rig->ptyBoard = std::make_unique<ixsim::PtyBoard>(options);
        rig->link.SetComDevice(1, rig->ptyBoard->Path());
    } else {
        rig->pc104Board = std::make_shared<ixsim::Pc104Board>(options);
        rig->link.SetPortIo(std::make_shared<vantrel::SimulatedPc104Bus>(rig->pc104Board, 0x300));
    }
    rig->Configure(options);
    return rig;
}

std::unique_ptr<BoardRig> BoardRig::Scripted(Transport transport, ixsim::BoardOptions options,
                                             std::map<int, uint8_t> replacements) {
    options = Patient(std::move(options));
    auto rig = std::make_unique<BoardRig>();
    rig->transport = transport;
    if (transport == Transport::kPc104) options.pc104 = true;
    rig->scripted = std::make_shared<RewritingBoard>(options, std::move(replacements));
    if (transport == Transport::kSerial) {
        rig->peer = std::make_unique<PtyPeer>();
        rig->peer->Respond([board = rig->scripted](uint8_t byte) { return board->Answer(byte); });
        rig->link.SetComDevice(1, rig->peer->Path());
    } else {
        rig->link.SetPortIo(std::make_shared<ScriptedPortIo>(rig->scripted));
    }
    rig->Configure(options);
    return rig;
}

void BoardRig::WithBoard(const std::function<void(ixsim::Board&)>& fn) {
    if (ptyBoard) {
        ptyBoard->WithBoard(fn);
    } else if (pc104Board) {
        std::lock_guard lock(pc104Board->mutex());
        fn(pc104Board->board());
    } else {
        scripted->WithBoard(fn);
    }
}

std::vector<uint8_t> BoardRig::Received(std::size_t atLeast) {
    std::vector<uint8_t> received;
    ixen_testing::WaitUntil([&] {
        WithBoard([&](ixsim::Board& board) { received = board.received; });
        return received.size() >= atLeast;
    });
    return received;
}

std::vector<uint8_t> BoardRig::Answered() {
    std::vector<uint8_t> answered;
    WithBoard([&](ixsim::Board& board) { answered = board.answered; });
    return answered;
}

}  // namespace linktest
