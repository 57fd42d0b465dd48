#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "board_rig.h"

namespace {

using linktest::BoardRig;
using linktest::Transport;

constexpr const char* kDataRecord = ":0100000000FF\n";
constexpr const char* kEndRecord = ":00000001FF\n";

std::vector<int> Exchange(vantrel::CBoardLink& link, const std::string& text) {
    std::vector<int> results;
    for (char ch : text) results.push_back(link.BootloaderExchange(static_cast<uint8_t>(ch), 0));
    return results;
}

class BootloaderContract : public testing::TestWithParam<Transport> {
protected:
    std::unique_ptr<BoardRig> Bootloader() {
        ixsim::BoardOptions options;
        options.bootloader = true;
        return BoardRig::Simulated(GetParam(), options);
    }
};

TEST_P(BootloaderContract, AFirmwareFileIsAcceptedUpToItsEndRecord) {
    auto rig = Bootloader();
    std::vector<int> results;
    std::vector<int> sequence;
    int drained = -1;
    // The update runs on a worker thread while the user-interface thread waits.
    std::thread worker([&] {
        drained = rig->link.DrainInput();
        results = Exchange(rig->link, std::string(kDataRecord).substr(0, 1));
        sequence.push_back(rig->link.bootloaderSequence.load());
        const std::vector<int> rest = Exchange(rig->link, std::string(kDataRecord).substr(1, 2));
        results.insert(results.end(), rest.begin(), rest.end());
        sequence.push_back(rig->link.bootloaderSequence.load());
        const std::vector<int> tail = Exchange(rig->link, std::string(kDataRecord).substr(3) + kEndRecord);
        results.insert(results.end(), tail.begin(), tail.end());
    });
    worker.join();

    EXPECT_EQ(drained, 0);
    EXPECT_EQ(sequence, (std::vector<int>{0x2A, 0x2C}));
    std::vector<int> expected(std::string(kDataRecord).size() + std::string(kEndRecord).size(), 0);
    expected.back() = 2;  // the end record's line feed ends programming
    EXPECT_EQ(results, expected);
    rig->WithBoard([](ixsim::Board& board) {
        EXPECT_EQ(board.firmwareRecords, (std::vector<std::string>{":0100000000FF", ":00000001FF"}));
        EXPECT_TRUE(board.firmwareComplete);
    });
}

TEST_P(BootloaderContract, SkippedCharactersAreNotSent) {
    auto rig = Bootloader();
    EXPECT_EQ(rig->link.BootloaderExchange(':', 1), 0);
    EXPECT_TRUE(rig->Received().empty());
}

TEST_P(BootloaderContract, ABadRecordIsRefused) {
    auto rig = Bootloader();
    const std::vector<int> results = Exchange(rig->link, ":0100000000EE\n");
    EXPECT_EQ(results.back(), 1);
}

INSTANTIATE_TEST_SUITE_P(Link, BootloaderContract, testing::Values(Transport::kSerial, Transport::kPc104),
                         [](const auto& testInfo) { return linktest::TransportName(testInfo.param); });

TEST(BootloaderExchange, ApplicationFirmwareDoesNotAnswerOnPc104) {
    auto rig = BoardRig::Simulated(Transport::kPc104, ixsim::BoardOptions{});
    EXPECT_EQ(rig->link.BootloaderExchange(':', 0), 1);
}

TEST(BootloaderExchange, SerialSilenceEndsAfterTheTwoSecondLimit) {
    auto rig = BoardRig::Simulated(Transport::kSerial, ixsim::BoardOptions{});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig->link.BootloaderExchange(':', 0), 1);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 0.9);  // whole wall-clock seconds: between one and two
    EXPECT_EQ(rig->Received(1), (std::vector<uint8_t>{':'}));
}

TEST(BootloaderExchange, SerialAnswersDecideAtOnce) {
    struct Case {
        const char* name;
        uint8_t sent;
        std::vector<uint8_t> answers;
        int expected;
    };
    const Case cases[] = {
        {"HandshakeByteMeansNoBootloader", ':', {0xF0}, 1},
        {"EndOfProgramming", '0', {0xFE}, 2},
        {"RecordStartAboveStar", ':', {0x2B}, 1},
        {"RecordStartBelowStarWaits", ':', {0x20, 0x2A}, 0},
        {"LineFeedWantsZero", '\n', {0x05}, 1},
        {"WrongCountWaitsForTheRightOne", '7', {0x30, 0x2B}, 0},
    };
    for (const Case& c : cases) {
        linktest::PtyPeer peer;
        peer.Respond([&c](uint8_t) { return c.answers; });
        vantrel::CBoardLink link;
        link.SetComDevice(2, peer.Path());
        link.settings.PortSelection = 2;
        ASSERT_EQ(link.Open(2, 9600), 1);
        link.bootloaderSequence = 0x2A;
        EXPECT_EQ(link.BootloaderExchange(c.sent, 0), c.expected) << c.name;
    }
}

}  // namespace
