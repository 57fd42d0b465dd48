// The PC/104 path of the byte layer, and the kernel port device behind it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "board_rig.h"
#include "pty_peer.h"
#include "sim/pc104_board.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/dev_port_io.h"
#include "vantrel/sim_bridge/simulated_pc104_bus.h"

namespace {

using vantrel::CBoardLink;

std::shared_ptr<ixsim::Pc104Board> PlugBoard(CBoardLink& link, uint16_t boardAddress) {
    auto board = std::make_shared<ixsim::Pc104Board>(linktest::Patient());
    link.SetPortIo(std::make_shared<vantrel::SimulatedPc104Bus>(board, boardAddress));
    link.pc104ByteDelayMs = 1;
    return board;
}

TEST(Pc104Link, SelectionsMapToTheFourBaseAddresses) {
    EXPECT_EQ(vantrel::Pc104Address(10), 0x300);
    EXPECT_EQ(vantrel::Pc104Address(11), 0x310);
    EXPECT_EQ(vantrel::Pc104Address(12), 0x320);
    EXPECT_EQ(vantrel::Pc104Address(13), 0x360);
    EXPECT_EQ(vantrel::Pc104Address(9), 0);
}

TEST(Pc104Link, BytesGoToTheSelectedAddressOnly) {
    for (int selection = 10; selection <= 13; ++selection) {
        CBoardLink link;
        auto board = PlugBoard(link, 0x320);
        link.settings.PortSelection = static_cast<uint16_t>(selection);
        int32_t word[4] = {};
        const int expected = selection == 12 ? vantrel::kTransactOk : vantrel::kTransactNotSynchronised;
        EXPECT_EQ(link.Transact(0x13, 0x14, word), expected) << selection;
        std::lock_guard lock(board->mutex());
        EXPECT_EQ(board->board().received.empty(), selection != 12) << selection;
    }
}

TEST(Pc104Link, HasNoQueueToAskOrDrain) {
    CBoardLink link;
    auto board = PlugBoard(link, 0x300);
    link.settings.PortSelection = 10;
    EXPECT_EQ(link.BytesAvailable(), 1u);
    EXPECT_EQ(link.DrainInput(), 0);
    EXPECT_EQ(link.trace.Text(), "") << "nothing was read";
}

// Choosing a PC/104 selection leaves an open serial port open; the bytes follow
// the selection both ways.
TEST(Pc104Link, BytesFollowTheSelectionWhileTheSerialPortStaysOpen) {
    linktest::PtyPeer peer;
    peer.Respond([](uint8_t byte) { return std::vector<uint8_t>{byte}; });
    CBoardLink link;
    link.SetComDevice(1, peer.Path());
    auto board = PlugBoard(link, 0x300);
    ASSERT_EQ(link.Open(1, 9600), 1);
    link.settings.PortSelection = 10;
    int32_t word[4] = {};
    EXPECT_EQ(link.Transact(0x13, 0x14, word), vantrel::kTransactOk);
    EXPECT_EQ(link.IsOpen(), 1);
    EXPECT_TRUE(peer.Received().empty());
    {
        std::lock_guard lock(board->mutex());
        EXPECT_FALSE(board->board().received.empty());
    }
    link.settings.PortSelection = 1;
    link.WriteByte(0x5A);
    EXPECT_EQ(link.ReadByte(), 0x5A);
    EXPECT_EQ(peer.Received(), std::vector<uint8_t>{0x5A});
}

TEST(Pc104Link, WithoutPortAccessNothingGoesOutAndTheReasonIsKept) {
    CBoardLink link;
    link.SetPortIo(std::make_shared<vantrel::DevPortIo>("/dev/no-such-port-device"));
    link.settings.PortSelection = 10;
    link.pc104ByteDelayMs = 0;
    EXPECT_EQ(link.WriteByte(0xF0), 0u);
    EXPECT_EQ(link.ReadByte(), 0x01);
    EXPECT_NE(link.PortIoError().find("/dev/no-such-port-device"), std::string::npos);
    EXPECT_NE(link.PortIoError().find("No such file or directory"), std::string::npos);
    EXPECT_EQ(link.Transact(0x13, 0x14, nullptr), vantrel::kTransactNotSynchronised);
    EXPECT_EQ(link.BootloaderExchange(':', 0), 1);
}

TEST(DevPortIo, ExplainsAMissingDeviceAndReadsAnEmptyBus) {
    vantrel::DevPortIo io("/dev/no-such-port-device");
    std::string error;
    EXPECT_FALSE(io.Acquire(error));
    EXPECT_EQ(error,
              "cannot open /dev/no-such-port-device for PC/104 port access: No such file or directory "
              "(this kernel has no port device)");
    EXPECT_EQ(io.In(0x300), 0xFF);
    io.Out(0x300, 0x12);  // harmless without access
}

TEST(DevPortIo, ExplainsMissingPrivilege) {
    // A file without read and write permission stands in for the port device;
    // root passes permission checks, so there the open simply succeeds.
    const std::string path = testing::TempDir() + "/port-without-permission";
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    vantrel::DevPortIo io(path);
    std::string error;
    if (geteuid() == 0) {
        EXPECT_TRUE(io.Acquire(error));
    } else {
        EXPECT_FALSE(io.Acquire(error));
        EXPECT_NE(error.find("run as root or grant CAP_SYS_RAWIO"), std::string::npos);
    }
    std::remove(path.c_str());
}

}  // namespace
