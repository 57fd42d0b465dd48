// The update as the dialog runs it: Start, the worker's notices handed back to
// this thread, Stop, Finish.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../app/scripted_prompter.h"
#include "firmware_rig.h"
#include "../support/temp_folder.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/firmware/firmware_texts.h"
#include "vantrel/firmware/firmware_update.h"
#include "vantrel/firmware/notice_queue.h"

namespace {

using fwtest::AsSent;
using fwtest::BoardRig;
using fwtest::FirmwareText;
using fwtest::Transport;
using vantrel::FirmwareProgress;
using vantrel::FirmwareUpdate;
using vantrel::FirmwareUpdateState;
namespace texts = vantrel::texts;

class RecordingView : public vantrel::IFirmwareUpdateView {
public:
    void SetBarRange(int minimum, int maximum) override {
        range = {minimum, maximum};
        progress.barPosition = minimum;
    }
    void ShowProgress(const FirmwareProgress& shown) override {
        progress = shown;
        if (shown.bytesSent > mostBytesShown) mostBytesShown = shown.bytesSent;
    }
    void ShowState(FirmwareUpdateState shown) override { states.push_back(shown); }

    std::pair<int, int> range{0, 0};
    FirmwareProgress progress;
    double mostBytesShown = 0;
    std::vector<FirmwareUpdateState> states;
};

// A firmware update over a simulated board that starts in its normal firmware;
// confirming the instructions puts it into the bootloader, as with --simulate.
class FirmwareUpdateTest : public testing::Test {
protected:
    explicit FirmwareUpdateTest(Transport transport = Transport::kSerial)
        : simulated_(BoardRig::Simulated(transport, ixsim::BoardOptions{})), rig_(*simulated_) {}

    std::unique_ptr<FirmwareUpdate> MakeUpdate() {
        vantrel::FirmwareUpdateContext context{rig_.link, commBusy_, prompter_, [this] { return programFile_; },
                                               [this] {
                                                   busyWhenEntered_ = commBusy_;
                                                   if (beforeBootloader_) beforeBootloader_();
                                                   fwtest::EnterBootloader(rig_);
                                               }};
        return std::make_unique<FirmwareUpdate>(std::move(context), view_,
                                                [this](std::function<void()> work) { notices_.Post(std::move(work)); });
    }
    void Load(const std::string& text) { programFile_ = folder_.Write("firmware.hex", text); }
    // Serves the worker's notices until the update is idle again.
    void RunToEnd(FirmwareUpdate& update) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (update.Running() && std::chrono::steady_clock::now() < deadline) {
            notices_.RunPending(std::chrono::milliseconds(50));
        }
        ASSERT_FALSE(update.Running());
    }
    // Serves notices until at least count characters have been shown.
    void RunUntilShown(double count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (view_.mostBytesShown < count && std::chrono::steady_clock::now() < deadline) {
            notices_.RunPending(std::chrono::milliseconds(50));
        }
        ASSERT_GE(view_.mostBytesShown, count);
    }

    ixen_testing::TempFolder folder_;
    std::unique_ptr<BoardRig> simulated_;
    BoardRig& rig_;
    int32_t commBusy_ = 0;
    int32_t busyWhenEntered_ = -1;
    ScriptedPrompter prompter_;
    std::optional<std::string> programFile_;
    std::function<void()> beforeBootloader_;
    RecordingView view_;
    vantrel::NoticeQueue notices_;
};

TEST_F(FirmwareUpdateTest, SucceedsAndResetsItsProgress) {
    const std::string text = FirmwareText{.dataRecords = 8}.Text();
    Load(text);
    auto update = MakeUpdate();
    update->StartOrStop();
    EXPECT_EQ(commBusy_, 1);
    EXPECT_EQ(update->State(), FirmwareUpdateState::kRunning);
    EXPECT_EQ(view_.range, std::make_pair(1, static_cast<int>((AsSent(text).size() + 1) / 10)));
    RunToEnd(*update);

    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions,
                                                            texts::kFirmwareUpdateSuccessful}));
    EXPECT_EQ(busyWhenEntered_, 0) << "the board enters its bootloader after the instructions";
    EXPECT_EQ(commBusy_, 0);
    EXPECT_EQ(view_.states, (std::vector<FirmwareUpdateState>{FirmwareUpdateState::kRunning,
                                                              FirmwareUpdateState::kIdle}));
    EXPECT_GT(view_.mostBytesShown, 0);
    EXPECT_EQ(view_.progress.PercentText(), "0.000 %");
    EXPECT_EQ(view_.progress.barPosition, 1);
    EXPECT_EQ(fwtest::ReceivedText(rig_), AsSent(text));
}

TEST_F(FirmwareUpdateTest, RefusesToStartWithoutAProgramFileWhileBusyOrWithABadFile) {
    auto update = MakeUpdate();
    struct Case {
        std::string name;
        std::optional<std::string> file;
        int32_t busy;
        std::string message;
    };
    const Case cases[] = {
        {"no file", std::nullopt, 0, texts::kMustLoadProgramFile},
        {"busy", folder_.Write("ok.hex", FirmwareText{}.Text()), 1, texts::kCommunicationsInProgress},
        {"missing", folder_.File("gone.hex"), 0, texts::kProgramFileNotFound},
        {"directory", folder_.Path().string(), 0, texts::kProgramFileNotFound},
        {"empty", folder_.Write("empty.hex", ""), 0, texts::kProgramFileEmpty},
        {"binary", folder_.Write("image.bin", std::string("\x7F" "ELF\0\0", 6)), 0, texts::kProgramFileBinary},
    };
    for (const Case& c : cases) {
        prompter_.messages.clear();
        programFile_ = c.file;
        commBusy_ = c.busy;
        update->StartOrStop();
        EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(commBusy_, c.busy) << c.name;
        EXPECT_FALSE(update->Running()) << c.name;
    }
    EXPECT_TRUE(rig_.Received().empty());
    EXPECT_TRUE(view_.states.empty());
}

TEST_F(FirmwareUpdateTest, StopInTheMiddleCancelsAndFreesTheLink) {
    Load(FirmwareText{.dataRecords = 40}.Text());
    auto update = MakeUpdate();
    update->StartOrStop();
    RunUntilShown(20);
    update->StartOrStop();
    EXPECT_EQ(update->State(), FirmwareUpdateState::kStopping);
    RunToEnd(*update);

    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions, texts::kUploadFailed,
                                                            texts::kUpdateCancelled}));
    EXPECT_EQ(commBusy_, 0);
    EXPECT_EQ(view_.states.back(), FirmwareUpdateState::kIdle);
    EXPECT_LT(rig_.Received().size(), AsSent(FirmwareText{.dataRecords = 40}.Text()).size());
    // The board still sits in its bootloader; once powered up normally the consoles work again.
    rig_.WithBoard([](ixsim::Board& board) { board.LeaveBootloader(); });
    int32_t word[4] = {};
    EXPECT_EQ(rig_.link.Transact(rig_.link.settings.BoardReadAddress, 0x15, word), vantrel::kTransactOk);
}

TEST_F(FirmwareUpdateTest, FailuresEndWithTheirMessagesAndAClearLink) {
    struct Case {
        std::string name;
        FirmwareText file;
        std::string message;
    };
    const Case cases[] = {
        {"bad record", FirmwareText{.badChecksumAt = 1}, texts::kUploadFailed},
        {"no end record", FirmwareText{.endRecord = false},
         vantrel::FailureMessage({vantrel::StreamOutcome::kEndNotConfirmed, 0, true})},
    };
    for (const Case& c : cases) {
        prompter_.messages.clear();
        Load(c.file.Text());
        auto update = MakeUpdate();
        rig_.link.drainTimeLimit = 1;
        update->StartOrStop();
        RunToEnd(*update);
        EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions, c.message})) << c.name;
        EXPECT_EQ(commBusy_, 0) << c.name;
        EXPECT_EQ(rig_.link.drainTimeLimit.load(), 3) << c.name;
        rig_.WithBoard([](ixsim::Board& board) { board.LeaveBootloader(); });
    }
}

TEST_F(FirmwareUpdateTest, AFileDeletedAfterItWasCountedSendsNothing) {
    Load(FirmwareText{}.Text());
    beforeBootloader_ = [this] { std::filesystem::remove(*programFile_); };
    auto update = MakeUpdate();
    update->StartOrStop();
    RunToEnd(*update);
    EXPECT_EQ(prompter_.Texts(),
              (std::vector<std::string>{texts::kFirmwareInstructions, texts::kProgramFileNotFound}));
    EXPECT_EQ(commBusy_, 0);
    EXPECT_TRUE(rig_.Received().empty());
}

class FirmwareUpdatePc104Test : public FirmwareUpdateTest {
protected:
    FirmwareUpdatePc104Test() : FirmwareUpdateTest(Transport::kPc104) {}
};

TEST_F(FirmwareUpdatePc104Test, SucceedsThroughTheInProcessBoard) {
    const std::string text = FirmwareText{.dataRecords = 3}.Text();
    Load(text);
    auto update = MakeUpdate();
    update->StartOrStop();
    RunToEnd(*update);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions,
                                                            texts::kFirmwareUpdateSuccessful}));
    EXPECT_EQ(fwtest::ReceivedText(rig_), AsSent(text));
    EXPECT_EQ(commBusy_, 0);
}

}  // namespace
