// The stream against the simulator's bootloader, on both transports.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "tests/support/wait_until.h"
#include "firmware_rig.h"
#include "../support/temp_folder.h"
#include "vantrel/firmware/firmware_stream.h"

namespace {

using fwtest::AsSent;
using fwtest::BoardRig;
using fwtest::EnterBootloader;
using fwtest::ReceivedText;
using fwtest::FirmwareText;
using fwtest::Transport;
using vantrel::StreamOutcome;
using vantrel::StreamResult;

class FirmwareStream : public testing::TestWithParam<Transport> {
protected:
    StreamResult Stream(BoardRig& rig, const std::string& text) {
        const std::string path = folder_.Write("firmware.hex", text);
        std::atomic<bool> cancel{false};
        counts_.clear();
        return vantrel::StreamProgramFile(rig.link, path, cancel, [&](uint64_t n) { counts_.push_back(n); });
    }
    std::unique_ptr<BoardRig> Bootloader(ixsim::BoardOptions options = {}) {
        options.bootloader = true;
        return BoardRig::Simulated(GetParam(), options);
    }

    ixen_testing::TempFolder folder_;
    std::vector<uint64_t> counts_;
};

TEST_P(FirmwareStream, AWholeFileProgramsTheBoardWithExactlyItsTextBytes) {
    auto rig = Bootloader();
    const std::string text = FirmwareText{.dataRecords = 45}.Text();
    ASSERT_GT(text.size(), 2000u);
    const StreamResult result = Stream(*rig, text);
    EXPECT_EQ(result.outcome, StreamOutcome::kProgrammed);
    EXPECT_EQ(ReceivedText(*rig), AsSent(text));
    // Every character but the end record's line feed, which the bootloader answers with its end byte.
    EXPECT_EQ(result.accepted, AsSent(text).size() - 1);
    ASSERT_EQ(counts_.size(), result.accepted);
    EXPECT_EQ(counts_.back(), result.accepted);
    rig->WithBoard([](ixsim::Board& board) {
        EXPECT_TRUE(board.firmwareComplete);
        EXPECT_EQ(board.firmwareRecords.size(), 46u);
    });
}

TEST_P(FirmwareStream, TheEndOfProgrammingInTheMiddleEndsInSuccess) {
    auto rig = Bootloader();
    const std::string text = FirmwareText{.dataRecords = 4, .endRecordAfter = 1}.Text();
    const StreamResult result = Stream(*rig, text);
    EXPECT_EQ(result.outcome, StreamOutcome::kProgrammed);
    const std::string sent = AsSent(text);
    const std::string endRecord = ":00000001FF\n";
    EXPECT_EQ(ReceivedText(*rig), sent.substr(0, sent.find(endRecord) + endRecord.size()));
}

TEST_P(FirmwareStream, ABadRecordFailsAtItsLineEnd) {
    auto rig = Bootloader();
    const std::string text = FirmwareText{.dataRecords = 4, .badChecksumAt = 2}.Text();
    const StreamResult result = Stream(*rig, text);
    EXPECT_EQ(result.outcome, StreamOutcome::kRefused);
    const std::string sent = AsSent(text);
    std::size_t thirdLineEnd = 0;
    for (int line = 0; line < 3; ++line) thirdLineEnd = sent.find('\n', thirdLineEnd) + 1;
    EXPECT_EQ(ReceivedText(*rig), sent.substr(0, thirdLineEnd));
    rig->WithBoard([](ixsim::Board& board) { EXPECT_FALSE(board.firmwareComplete); });
}

TEST_P(FirmwareStream, ASilentBoardFailsAtTheFirstCharacter) {
    ixsim::BoardOptions options;
    options.faults.silent = true;
    auto rig = Bootloader(options);
    const StreamResult result = Stream(*rig, FirmwareText{}.Text());
    EXPECT_EQ(result.outcome, StreamOutcome::kRefused);
    EXPECT_EQ(result.accepted, 0u);
    EXPECT_EQ(ReceivedText(*rig), ":");
}

TEST_P(FirmwareStream, AFileThatEndsUnconfirmedFailsWithNothingSentAfterIt) {
    for (const bool finalLineEnd : {true, false}) {
        auto rig = Bootloader();
        const std::string text = FirmwareText{.dataRecords = 3, .endRecord = false, .finalLineEnd = finalLineEnd}.Text();
        const StreamResult result = Stream(*rig, text);
        EXPECT_EQ(result.outcome, StreamOutcome::kEndNotConfirmed) << finalLineEnd;
        EXPECT_EQ(result.lastLineEnded, finalLineEnd);
        EXPECT_EQ(result.accepted, AsSent(text).size());
        EXPECT_EQ(ReceivedText(*rig), AsSent(text)) << "no byte after the file's last character";
        const std::string message = vantrel::FailureMessage(result);
        EXPECT_NE(message.find("did not confirm the end of programming"), std::string::npos) << message;
        EXPECT_EQ(message.find("no line end") != std::string::npos, !finalLineEnd) << message;
    }
}

TEST_P(FirmwareStream, ACancelledStreamStopsBeforeItsNextCharacter) {
    auto rig = Bootloader();
    const std::string path = folder_.Write("firmware.hex", FirmwareText{}.Text());
    std::atomic<bool> cancel{false};
    const StreamResult result = vantrel::StreamProgramFile(rig->link, path, cancel, [&](uint64_t n) {
        if (n == 5) cancel = true;
    });
    EXPECT_EQ(result.outcome, StreamOutcome::kCancelled);
    EXPECT_EQ(result.accepted, 5u);
    EXPECT_EQ(rig->Received().size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Transports, FirmwareStream, testing::Values(Transport::kSerial, Transport::kPc104),
                         [](const auto& param) { return linktest::TransportName(param.param); });

TEST(FirmwareStreamSerial, StaleInputIsDrainedBeforeTheFirstCharacter) {
    auto simulated = BoardRig::Simulated(Transport::kSerial, ixsim::BoardOptions{});
    BoardRig& rig = *simulated;
    // Answers of the board's normal firmware still queued on the link.
    rig.link.WriteByte(0xF0);
    rig.link.WriteByte(0xF0);
    ixen_testing::WaitUntil([&] { return rig.link.BytesAvailable() >= 2; });
    ASSERT_EQ(rig.link.BytesAvailable(), 2u);
    EnterBootloader(rig);
    ixen_testing::TempFolder folder;
    std::atomic<bool> cancel{false};
    const std::string text = FirmwareText{.dataRecords = 1}.Text();
    const StreamResult result =
        vantrel::StreamProgramFile(rig.link, folder.Write("f.hex", text), cancel, nullptr);
    EXPECT_EQ(result.outcome, StreamOutcome::kProgrammed);
    EXPECT_EQ(ReceivedText(rig), "\xF0\xF0" + AsSent(text));
}

}  // namespace
