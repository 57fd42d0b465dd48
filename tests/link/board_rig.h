#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pty_peer.h"
#include "sim/board.h"
#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "vantrel/link/board_link.h"

namespace linktest {

enum class Transport { kSerial, kPc104 };
std::string TransportName(Transport transport);

// The board abandons a frame after byteTimeoutMs of host silence. On a loaded
// machine the host thread may stall that long between two bytes; no link test
// is about that time-out, so the boards of these tests wait far longer.
ixsim::BoardOptions Patient(ixsim::BoardOptions options = {});

// The simulator's board logic with chosen answer bytes replaced, counted from
// the first answer byte of the run: a board that misbehaves at one exact byte.
class RewritingBoard {
public:
    RewritingBoard(ixsim::BoardOptions options, std::map<int, uint8_t> replacements);
    std::vector<uint8_t> Answer(uint8_t hostByte);
    void WithBoard(const std::function<void(ixsim::Board&)>& fn);

private:
    std::mutex mutex_;
    ixsim::Board board_;
    std::map<int, uint8_t> replacements_;
    int answers_ = 0;
};

// A PC/104 port register in front of a scripted board: one answer queue that a
// new host byte replaces, 0xFF when empty.
class ScriptedPortIo : public vantrel::IPortIo {
public:
    explicit ScriptedPortIo(std::shared_ptr<RewritingBoard> board) : board_(std::move(board)) {}
    bool Acquire(std::string& /*error*/) override { return true; }
    void Out(uint16_t address, uint8_t value) override;
    uint8_t In(uint16_t address) override;

private:
    std::shared_ptr<RewritingBoard> board_;
    std::deque<uint8_t> answers_;
};

// A link wired to a board over one transport: COM1 on a pseudo-terminal, or
// PC/104 at 0x300. Short read time-outs keep failure paths quick.
class BoardRig {
public:
    // The simulator's own transports (ixsim::PtyBoard, ixsim::Pc104Board).
    static std::unique_ptr<BoardRig> Simulated(Transport transport, ixsim::BoardOptions options);
    // A RewritingBoard behind a PtyPeer or a ScriptedPortIo.
    static std::unique_ptr<BoardRig> Scripted(Transport transport, ixsim::BoardOptions options,
                                              std::map<int, uint8_t> replacements);

    void WithBoard(const std::function<void(ixsim::Board&)>& fn);
    // The host bytes the board has seen, once there are at least atLeast of them
    // (the last clock byte of a read may still be on its way); gives up after 2 s.
    std::vector<uint8_t> Received(std::size_t atLeast = 0);
    std::vector<uint8_t> Answered();

    Transport transport = Transport::kSerial;
    std::unique_ptr<ixsim::PtyBoard> ptyBoard;
    std::shared_ptr<ixsim::Pc104Board> pc104Board;
    std::unique_ptr<PtyPeer> peer;
    std::shared_ptr<RewritingBoard> scripted;
    vantrel::CBoardLink link;  // last: closed before the boards go

private:
    void Configure(const ixsim::BoardOptions& options);
};

}  // namespace linktest
