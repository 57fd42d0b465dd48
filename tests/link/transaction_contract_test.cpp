// One suite of transaction tests, run against every transport: the serial port
// on a pseudo-terminal and the PC/104 port space, each with the simulated board.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/support/wait_until.h"
#include "board_rig.h"
#include "vantrel/link/prompter.h"

namespace {

using linktest::BoardRig;
using linktest::Transport;
using Bytes = std::vector<uint8_t>;

Bytes Tail(const Bytes& bytes, std::size_t count) {
    return count > bytes.size() ? bytes : Bytes(bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end());
}

// Keeps the texts the link shows.
class ShownTexts : public vantrel::IPrompter {
public:
    std::vector<std::string> texts;
    void Message(const std::string& text, const std::string&) override { texts.push_back(text); }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override { return std::nullopt; }
};

ixsim::BoardOptions Options(int protocol, int firmwareType) {
    ixsim::BoardOptions options;
    options.protocol = protocol;
    options.firmwareType = firmwareType;
    return options;
}

// Golden frames: write 0x1234 to command 0xA0, then read it back.
struct WireCase {
    const char* name;
    int protocol;
    int firmwareType;
    Bytes writeFrame;
    Bytes writeAnswer;
    Bytes readFrame;
    Bytes readAnswer;
};

const WireCase kWireCases[] = {
    {"SumChecksum", 0, 0, {0x12, 0xA0, 0x34, 0x12, 0x08}, {0x00, 0x01, 0x02, 0x03, 0xFF},
     {0x13, 0xA0, 0x02, 0x03, 0xFF}, {0x00, 0x34, 0x12, 0x07}},
    {"CrcChecksum", 0, 2, {0x12, 0xA0, 0x34, 0x12, 0xD0}, {0x00, 0x01, 0x02, 0x03, 0xFF},
     {0x13, 0xA0, 0x02, 0x03, 0xFF}, {0x00, 0x34, 0x12, 0xC6}},
    {"BusTimerNoChecksum", 1, 2, {0x12, 0xA0, 0x34, 0x12}, {0x00, 0x01, 0x02, 0xFF},
     {0x13, 0xA0, 0x02, 0xFF}, {0x00, 0x34, 0x12}},
    {"NoBusTimer", 2, 2, {0x12, 0xA0, 0x34, 0x12}, {0x00, 0x01, 0x02, 0xFF}, {0x13, 0xA0}, {0x00, 0x34, 0x12}},
};

class WireBytes : public testing::TestWithParam<std::tuple<Transport, WireCase>> {};

TEST_P(WireBytes, WriteAndReadAreTheGoldenFrames) {
    const auto& [transport, c] = GetParam();
    auto rig = BoardRig::Simulated(transport, Options(c.protocol, c.firmwareType));
    int32_t word[4] = {0x1234};
    ASSERT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactOk);
    Bytes expectedHost{0xF0};
    expectedHost.insert(expectedHost.end(), c.writeFrame.begin(), c.writeFrame.end());
    Bytes expectedAnswer{0xF0};
    expectedAnswer.insert(expectedAnswer.end(), c.writeAnswer.begin(), c.writeAnswer.end());
    EXPECT_EQ(rig->Received(expectedHost.size()), expectedHost);
    EXPECT_EQ(rig->Answered(), expectedAnswer);

    int32_t read[4] = {0x7777, 0x5555};
    ASSERT_EQ(rig->link.Transact(0x13, 0xA0, read), vantrel::kTransactOk);
    const Bytes received = rig->Received(expectedHost.size() + c.readFrame.size());
    EXPECT_EQ(Tail(received, c.readFrame.size()), c.readFrame);
    EXPECT_EQ(received.size(), expectedHost.size() + c.readFrame.size());  // no handshake in between
    EXPECT_EQ(Tail(rig->Answered(), c.readAnswer.size()), c.readAnswer);
    EXPECT_EQ(read[0], 0x1234);
    EXPECT_EQ(read[1], 0x5555);
}

// The PC/104 port holds one answer byte, so unclocked writes lose their
// acknowledgements there; the unclocked read has a test of its own below.
std::vector<std::tuple<Transport, WireCase>> WireRuns() {
    std::vector<std::tuple<Transport, WireCase>> runs;
    for (const WireCase& c : kWireCases) {
        runs.emplace_back(Transport::kSerial, c);
        if (c.protocol != 2) runs.emplace_back(Transport::kPc104, c);
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Link, WireBytes, testing::ValuesIn(WireRuns()),
                         [](const auto& testInfo) {
                             return linktest::TransportName(std::get<0>(testInfo.param)) +
                                    std::get<1>(testInfo.param).name;
                         });

class TransactionContract : public testing::TestWithParam<Transport> {
protected:
    std::unique_ptr<BoardRig> Simulated(int protocol = 0, int firmwareType = 2) {
        return BoardRig::Simulated(GetParam(), Options(protocol, firmwareType));
    }
    std::unique_ptr<BoardRig> Scripted(std::map<int, uint8_t> replacements, int protocol = 0) {
        return BoardRig::Scripted(GetParam(), Options(protocol, 2), std::move(replacements));
    }
    // Answer byte indexes of the first write after the opening handshake (answer 0).
    static constexpr int kThirdAcknowledgement = 3;
};

TEST_P(TransactionContract, FirstTransactionHandshakesInABlockOfItsOwn) {
    auto rig = Simulated(0, 0);
    int32_t word[4] = {0x1234};
    ASSERT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactOk);
    EXPECT_EQ(rig->link.resyncNeeded.load(), 0);
    EXPECT_EQ(rig->link.trace.Text(),
              "HOST:<0xF0>      \r\nIXEN:      <0xF0>"
              "\r\n\r\nHOST:<0x12>      <0xA0>      <0x34>      <0x12>      <0x08>      "
              "\r\nIXEN:      <0x00>      <0x01>      <0x02>      <0x03>      <0xFF>");
}

TEST_P(TransactionContract, ReadBackFramesAreTheGoldenBytes) {
    auto rig = Simulated(0, 2);
    int32_t word[4] = {0x1234};
    ASSERT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactOk);
    const std::string before = rig->link.trace.Text();
    ASSERT_EQ(rig->link.Transact(0x13, 0xA0, word), vantrel::kTransactOk);
    EXPECT_EQ(rig->link.trace.Text(),
              before +
                  "\r\n\r\nHOST:<0x13>      <0xA0>      <0x02>      <0x03>      <0xFF>"
                  "\r\nIXEN:      <0x00>      <0x34>      <0x12>      <0xC6>      ");
}

TEST_P(TransactionContract, AlternativeAddressesReachABoardThatUsesThem) {
    ixsim::BoardOptions options = Options(1, 2);
    options.altAddresses = true;
    auto rig = BoardRig::Simulated(GetParam(), options);
    int32_t word[4] = {0x0BB8};
    ASSERT_EQ(rig->link.Transact(rig->link.settings.BoardWriteAddress, 0x14, word), vantrel::kTransactOk);
    word[0] = 0;
    ASSERT_EQ(rig->link.Transact(rig->link.settings.BoardReadAddress, 0x14, word), vantrel::kTransactOk);
    EXPECT_EQ(word[0], 0x0BB8);
    EXPECT_EQ(rig->Received(1)[1], 0x14);
}

TEST_P(TransactionContract, IdentificationFillsBoardIdentificationAndNotTheArray) {
    ixsim::BoardOptions options = Options(0, 2);
    options.identification = "SN 0042-IXEN-104";
    auto rig = BoardRig::Simulated(GetParam(), options);
    int32_t untouched[4] = {11, 22, 33, 44};
    ASSERT_EQ(rig->link.Transact(0x13, 0x3F, untouched), vantrel::kTransactOk);
    EXPECT_EQ(std::string(rig->link.BoardIdentification.data()), "SN 0042-IXEN-104");
    EXPECT_EQ(rig->link.BoardIdentification[16], '\0');
    EXPECT_EQ(untouched[0], 11);
    EXPECT_EQ(untouched[3], 44);
    const Bytes received = rig->Received(1 + 19);
    EXPECT_EQ(received.size(), 1u + 19u);  // 0x3F with checksum spans 19 positions
    EXPECT_EQ(received.back(), 0xFF);
    EXPECT_EQ(rig->Answered().size(), 1u + 18u);
}

TEST_P(TransactionContract, FunctionFailureGivesResult2WithoutAHandshake) {
    for (int debugMode : {0, 1}) {
        ixsim::BoardOptions options = Options(0, 2);
        options.faults.failCommand = 0x14;
        auto rig = BoardRig::Simulated(GetParam(), options);
        ShownTexts shown;
        rig->link.SetPrompter(&shown);
        rig->link.settings.DebugMode = debugMode;
        int32_t word[4] = {100};
        EXPECT_EQ(rig->link.Transact(0x12, 0x14, word), vantrel::kTransactBadAck);
        EXPECT_EQ(Tail(rig->Answered(), 1), Bytes{0xFE});
        EXPECT_EQ(rig->Received(6).size(), 6u);
        EXPECT_EQ(rig->link.trace.HostLine(), "\r\n\r\nHOST:") << "no 0xF0 after the frame";
        EXPECT_EQ(rig->link.resyncNeeded.load(), 0);
        EXPECT_EQ(shown.texts, debugMode == 1 ? std::vector<std::string>{"Function Error"}
                                           : std::vector<std::string>{});
    }
}

TEST_P(TransactionContract, FailureByteAtTheThirdAcknowledgementStopsTheFrame) {
    auto rig = Scripted({{kThirdAcknowledgement, 0xFE}});
    rig->link.settings.DebugMode = 1;
    ShownTexts shown;
    rig->link.SetPrompter(&shown);
    int32_t word[4] = {0x1234};
    EXPECT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactBadAck);
    EXPECT_EQ(rig->Received(4), (Bytes{0xF0, 0x12, 0xA0, 0x34}));  // the rest is not sent
    EXPECT_EQ(shown.texts, std::vector<std::string>{"Function Error"});
    EXPECT_EQ(rig->link.resyncNeeded.load(), 0);
    EXPECT_EQ(rig->link.trace.HostLine(), "\r\n\r\nHOST:");
}

TEST_P(TransactionContract, WrongAcknowledgementIsFollowedByAHandshake) {
    auto rig = Scripted({{kThirdAcknowledgement, 0x07}});
    int32_t word[4] = {0x1234};
    EXPECT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactBadAck);
    // The rest of the frame is not sent; the handshake follows at once. The board
    // is still inside the abandoned frame, so it may take it a few 0xF0 to see one.
    const Bytes received = rig->Received(5);
    EXPECT_EQ(Bytes(received.begin(), received.begin() + 5), (Bytes{0xF0, 0x12, 0xA0, 0x34, 0xF0}));
    EXPECT_LE(received.size(), 4u + 5u);
    for (std::size_t i = 4; i < received.size(); ++i) EXPECT_EQ(received[i], 0xF0);
    EXPECT_EQ(rig->link.resyncNeeded.load(), 0);  // the board answered a handshake
    // The handshake is the open block of the trace.
    std::string handshake = "\r\n\r\nHOST:";
    for (std::size_t i = 4; i < received.size(); ++i) handshake += "<0xF0>      ";
    EXPECT_EQ(rig->link.trace.HostLine(), handshake);
    EXPECT_EQ(rig->link.trace.DeviceLine().substr(rig->link.trace.DeviceLine().size() - 6), "<0xF0>");
    EXPECT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactOk);
}

TEST_P(TransactionContract, WrongReadChecksumGives3AndLeavesTheArray) {
    // Answers: 0 handshake, then x, d0, d1, checksum of the read.
    auto rig = Scripted({{4, 0x00}});
    int32_t word[4] = {0x4321};
    EXPECT_EQ(rig->link.Transact(0x13, 0x15, word), vantrel::kTransactBadChecksum);
    EXPECT_EQ(word[0], 0x4321);
    EXPECT_EQ(rig->link.resyncNeeded.load(), 0);
    EXPECT_EQ(rig->Received(6).size(), 6u);
    EXPECT_EQ(rig->link.trace.HostLine(), "\r\n\r\nHOST:") << "no handshake after a checksum error";
}

TEST_P(TransactionContract, SilentBoardGives1AndNothingOfTheFrameIsSent) {
    ixsim::BoardOptions options = Options(0, 2);
    options.faults.silent = true;
    auto rig = BoardRig::Simulated(GetParam(), options);
    int32_t word[4] = {0x1234};
    EXPECT_EQ(rig->link.Transact(0x12, 0xA0, word), vantrel::kTransactNotSynchronised);
    EXPECT_EQ(rig->Received(5), Bytes(5, 0xF0));
    EXPECT_EQ(rig->link.resyncNeeded.load(), 1);
}

TEST_P(TransactionContract, UnclockedReadWaitsForASlowBoard) {
    ixsim::BoardOptions options = Options(2, 2);
    options.faults.delayMs = 15;
    auto rig = BoardRig::Simulated(GetParam(), options);
    rig->link.pc104ByteDelayMs = 20;  // the PC/104 port holds the answer once it is ready
    int32_t word[4] = {};
    ASSERT_EQ(rig->link.Transact(0x13, 0x14, word), vantrel::kTransactOk);
    rig->WithBoard([&](ixsim::Board& board) { EXPECT_EQ(word[0], board.Register(0x14)); });
}

TEST_P(TransactionContract, TraceDisabledAddsNoTextButStillCommitsAndTrims) {
    auto rig = Simulated(1, 2);
    rig->link.settings.TraceEnabled = 0;
    rig->link.trace.InsertAtTop(std::string(10600, '.'));
    int32_t word[4] = {};
    ASSERT_EQ(rig->link.Transact(0x13, 0x14, word), vantrel::kTransactOk);
    // Two commits, the handshake's and the frame's, each trim once.
    EXPECT_EQ(rig->link.trace.Text(), std::string(10600 - 2 * 500, '.'));
}

INSTANTIATE_TEST_SUITE_P(Link, TransactionContract, testing::Values(Transport::kSerial, Transport::kPc104),
                         [](const auto& testInfo) { return linktest::TransportName(testInfo.param); });

// Serial only: the input queue and the read time-outs.

TEST(SerialTransaction, UnclockedReadOfAnAbsentAnswerReadsAs01) {
    linktest::PtyPeer peer;
    peer.Respond([](uint8_t byte) {
        if (byte == 0xF0) return Bytes{0xF0};
        if (byte == 0x13) return Bytes{0x00};
        return Bytes{};
    });
    vantrel::CBoardLink link;
    link.SetComDevice(1, peer.Path());
    link.readTimeouts.perByteMs = 20;
    link.readTimeouts.constantMs = 20;
    link.settings.LinkProtocol = 2;
    ASSERT_EQ(link.Open(1, 9600), 1);
    int32_t word[4] = {};
    EXPECT_EQ(link.Transact(0x13, 0x14, word), vantrel::kTransactOk);
    EXPECT_EQ(word[0], 0x0101);
    const std::string text = link.trace.Text();
    const std::string block = "\r\n\r\nHOST:<0x13>      <0x14>            \r\nIXEN:      <0x00>      <0x01><0x01>";
    ASSERT_GE(text.size(), block.size());
    EXPECT_EQ(text.substr(text.size() - block.size()), block);
}

TEST(SerialTransaction, StaleInputEndingInF0CountsAsInStep) {
    linktest::PtyPeer peer;
    vantrel::CBoardLink link;
    link.SetComDevice(1, peer.Path());
    ASSERT_EQ(link.Open(1, 9600), 1);
    peer.Send({0x33, 0xF0});
    ixen_testing::WaitUntil([&] { return link.BytesAvailable() >= 2; });
    EXPECT_TRUE(link.Synchronise());
    EXPECT_TRUE(peer.Drain(20).empty()) << "no handshake was sent";
    EXPECT_EQ(link.trace.DeviceLine(), "IXEN:<0x33><0xF0>");
}

}  // namespace
