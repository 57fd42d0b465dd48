// The "FirmWare Update" dialog offscreen, against the simulated board.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>

#include "../app/scripted_prompter.h"
#include "../support/temp_folder.h"
#include "firmware_rig.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/firmware/firmware_texts.h"
#include "vantrel/firmware/firmware_update_dialog.h"

namespace {

using fwtest::FirmwareText;
namespace texts = vantrel::texts;

class FirmwareDialogTest : public testing::Test {
protected:
    FirmwareDialogTest()
        : simulated_(fwtest::BoardRig::Simulated(fwtest::Transport::kSerial, ixsim::BoardOptions{})),
          rig_(*simulated_),
          dialog_(vantrel::FirmwareUpdateContext{rig_.link, commBusy_, prompter_, [this] { return programFile_; },
                                                 [this] { fwtest::EnterBootloader(rig_); }}) {}

    // Serves the window's events until the update is over.
    void RunToEnd() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (dialog_.Update().Running() && std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        ASSERT_FALSE(dialog_.Update().Running());
    }
    void RunUntilBytesShown(int count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (dialog_.bytesText->text().toInt() < count && std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        ASSERT_GE(dialog_.bytesText->text().toInt(), count);
    }

    ixen_testing::TempFolder folder_;
    std::unique_ptr<fwtest::BoardRig> simulated_;
    fwtest::BoardRig& rig_;
    int32_t commBusy_ = 0;
    ScriptedPrompter prompter_;
    std::optional<std::string> programFile_;
    vantrel::FirmwareUpdateDialog dialog_;
};

TEST_F(FirmwareDialogTest, ShowsItsTextsAndRunsAnUpdateToTheEnd) {
    EXPECT_EQ(dialog_.windowTitle(), "FirmWare Update");
    EXPECT_EQ(dialog_.percentText->text(), "00.000 %");
    EXPECT_EQ(dialog_.bytesText->text(), "000000");
    EXPECT_EQ(dialog_.startStopButton->text(), "&Start/Stop Update");
    EXPECT_EQ(dialog_.closeButton->text(), "&Close");

    const std::string text = FirmwareText{.dataRecords = 6}.Text();
    programFile_ = folder_.Write("firmware.hex", text);
    dialog_.show();
    dialog_.startStopButton->click();
    EXPECT_EQ(dialog_.progressBar->minimum(), 1);
    EXPECT_EQ(dialog_.progressBar->maximum(), static_cast<int>((fwtest::AsSent(text).size() + 1) / 10));
    EXPECT_FALSE(dialog_.closeButton->isEnabled());
    dialog_.reject();  // Escape or the close box while it runs
    EXPECT_TRUE(dialog_.isVisible());
    RunUntilBytesShown(11);
    EXPECT_GE(dialog_.progressBar->value(), 2);
    EXPECT_TRUE(dialog_.percentText->text().endsWith(" %"));
    RunToEnd();

    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions,
                                                            texts::kFirmwareUpdateSuccessful}));
    EXPECT_EQ(dialog_.percentText->text(), "0.000 %");
    EXPECT_EQ(dialog_.bytesText->text(), "0");
    EXPECT_EQ(dialog_.progressBar->value(), 1);
    EXPECT_TRUE(dialog_.closeButton->isEnabled());
    EXPECT_EQ(commBusy_, 0);
    dialog_.closeButton->click();
    EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(FirmwareDialogTest, TheSameButtonStopsARunningUpdate) {
    programFile_ = folder_.Write("firmware.hex", FirmwareText{.dataRecords = 40}.Text());
    dialog_.show();
    dialog_.startStopButton->click();
    RunUntilBytesShown(5);
    dialog_.startStopButton->click();
    EXPECT_FALSE(dialog_.startStopButton->isEnabled());  // until the worker has seen it
    RunToEnd();
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{texts::kFirmwareInstructions, texts::kUploadFailed,
                                                            texts::kUpdateCancelled}));
    EXPECT_TRUE(dialog_.startStopButton->isEnabled());
    EXPECT_TRUE(dialog_.closeButton->isEnabled());
    EXPECT_EQ(commBusy_, 0);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
