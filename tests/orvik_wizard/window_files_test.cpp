#include <filesystem>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "orvik/image/profile_writer.h"
#include "window_fixture.h"

namespace orvik::test {
namespace {

// Rate lives at offset 0 and comes back from it on a load.
const char* kRateMemory = R"(<memory>
    <loc id="m0" address="0x00" length="2" eval="Rate"/>
    <loc id="m2" address="0x02" length="2" eval="Other"/></memory>)";

const std::string kFiles = Definition(R"(
  <step name="Welcome"/>
  <step name="Load Existing Profile" canskip="yes"/>
  <step name="Rates"><entry id="Rate" caption="Rate" default="1" eval="m0"/>
                     <entry id="Other" caption="Other" default="2" eval="m2"/></step>
  <step name="Save"/>)",
                                      kRateMemory);

class WindowFilesTest : public WindowTest {
protected:
    std::string Profile(const std::string& name, std::vector<uint8_t> image) {
        return folder.Write(name, FormatProfile(image));
    }
};

TEST_F(WindowFilesTest, FileControlsBelongToTheLoadAndTheLastStep) {
    Open(kFiles);
    EXPECT_TRUE(window->eLocation->isHidden());
    EXPECT_TRUE(window->bBrowse->isHidden());

    window->bNextClick();
    EXPECT_FALSE(window->eLocation->isHidden());
    EXPECT_FALSE(window->bLoad->isHidden());
    EXPECT_TRUE(window->bSave->isHidden());
    EXPECT_EQ(window->lLocation->text(), "Load file");
    EXPECT_EQ(window->eLocation->geometry().topLeft(), QPoint(64, 32));
    EXPECT_EQ(window->eLocation->width(), 337);
    EXPECT_EQ(window->bLoad->geometry(), QRect(328, 56, 75, 25));
    EXPECT_EQ(window->bBrowse->geometry(), QRect(64, 56, 75, 25));

    ASSERT_TRUE(NextUntil("Save"));
    EXPECT_FALSE(window->bSave->isHidden());
    EXPECT_TRUE(window->bLoad->isHidden());
    EXPECT_EQ(window->lLocation->text(), "Save file");
    EXPECT_EQ(window->bSave->geometry(), QRect(328, 56, 75, 25));
}

TEST_F(WindowFilesTest, SaveWritesTheChosenFileAndWorkingPsd) {
    Open(kFiles);
    ASSERT_TRUE(NextUntil("Save"));
    window->eLocation->setText(QString::fromStdString(folder.File("chosen.psd")));
    window->bSaveClick();

    const std::string expected = FormatProfile({1, 0, 2, 0});
    EXPECT_EQ(ReadWholeFile(folder.File("chosen.psd")), expected);
    EXPECT_EQ(ReadWholeFile(folder.File("working.psd")), expected);
    EXPECT_EQ(window->ExitCode(), 0);
    EXPECT_TRUE(window->Saved());
    EXPECT_TRUE(prompter.messages.empty());
}

// Exit code 0 means the profile was written: a save that fails says why and
// leaves the wizard open, Finish included.
TEST_F(WindowFilesTest, ASaveThatCannotWriteSaysWhyAndKeepsTheWizardOpen) {
    Open(kFiles);
    ASSERT_TRUE(NextUntil("Save"));
    const std::string target = folder.File("nowhere/chosen.psd");
    window->eLocation->setText(QString::fromStdString(target));
    window->bSaveClick();
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_FALSE(window->Saved());
    EXPECT_TRUE(HasMessage("Error:", "The profile was not saved completely.\nCannot write " + target +
                                         ": No such file or directory"));

    prompter.saveAnswers.push_back(target);
    window->bNextClick();  // Finish
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 1);

    prompter.saveAnswers.push_back(folder.File("chosen.psd"));
    window->bNextClick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.File("chosen.psd")));
}

TEST_F(WindowFilesTest, LoadWithoutAFileNameSaysSo) {
    Open(kFiles);
    ASSERT_TRUE(NextUntil("Load Existing Profile"));
    window->eLocation->clear();
    window->bLoadClick();
    EXPECT_EQ(window->CurrentStepName(), "Load Existing Profile");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Error:");
    EXPECT_NE(prompter.messages[0].text.find("Browse"), std::string::npos);
}

TEST_F(WindowFilesTest, LoadRecomputesTheValuesReportsAndMovesOn) {
    const std::string profile = Profile("in.psd", {7, 0, 9, 1});
    Open(kFiles);
    window->bNextClick();
    window->eLocation->setText(QString::fromStdString(profile));
    window->bLoadClick();

    EXPECT_EQ(window->CurrentStepName(), "Rates");
    EXPECT_EQ(window->Values()["Rate"].value, "7");
    EXPECT_EQ(window->Values()["Other"].value, "265");
    EXPECT_EQ(Control<QLineEdit>("Rate")->text(), "7");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Loaded Existing Profile:");
    EXPECT_EQ(prompter.messages[0].text, "Loaded: " + profile);
}

TEST_F(WindowFilesTest, AFailedReadIsShownWithoutOwnerAndThePageStays) {
    const std::string profile = folder.Write("bad.psd", ":0200000400F00A\r\n:0442000007000901AA\r\n:00000001FF\r\n");
    Open(kFiles);
    window->bNextClick();
    window->eLocation->setText(QString::fromStdString(profile));
    window->bLoadClick();

    EXPECT_EQ(window->CurrentStepName(), "Load Existing Profile");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "ERROR");
    EXPECT_FALSE(prompter.messages[0].owned);
    EXPECT_EQ(prompter.messages[0].text, "Checksum error:\nExpected 0xA9 got 0xAA on line 1 of " + profile + ".");
    EXPECT_EQ(window->Values()["Rate"].value, "1");
}

TEST_F(WindowFilesTest, StartedWithTheLoadOptionTheFirstNextLoadsAndMovesPastTheLoadStep) {
    const std::string profile = Profile("working.psd", {5, 0, 6, 0});
    Open(kFiles, "-f " + profile);
    EXPECT_EQ(window->CurrentStepName(), "Welcome");

    window->bNextClick();

    EXPECT_EQ(window->CurrentStepName(), "Rates");
    EXPECT_EQ(window->eLocation->text().toStdString(), profile);
    EXPECT_EQ(window->CommandLine(), profile);
    EXPECT_EQ(window->Values()["Rate"].value, "5");
    EXPECT_TRUE(HasMessage("Loaded Existing Profile:", "Loaded: " + profile));
    EXPECT_EQ(window->ExitCode(), 1);
}

TEST_F(WindowFilesTest, TheLoadOptionWithoutALoadStepIsReportedAndEndsWithOne) {
    const std::string profile = Profile("working.psd", {5, 0, 6, 0});
    Open(Definition(R"(<step name="Welcome"/><step name="Middle"/><step name="Save"/>)"), "-f " + profile);
    window->bNextClick();

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Error:");
    EXPECT_NE(prompter.messages[0].text.find("Load Existing Profile"), std::string::npos);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ExitCode(), 1);
}

TEST_F(WindowFilesTest, BrowseOnTheLoadStepChoosesAFileToOpen) {
    Open(kFiles);
    window->bNextClick();
    window->eLocation->setText("/old/folder/old.psd");
    prompter.openAnswers.push_back(folder.File("new.psd"));
    window->bBrowseClick();

    ASSERT_EQ(prompter.openRequests.size(), 1u);
    EXPECT_EQ(prompter.openRequests[0].initialFolder, "/old/folder");
    EXPECT_EQ(prompter.openRequests[0].filterDescription, "Profile Setup Data (*.psd)");
    EXPECT_EQ(prompter.openRequests[0].filterPattern, "*.psd");
    EXPECT_EQ(window->eLocation->text().toStdString(), folder.File("new.psd"));
    EXPECT_EQ(window->SaveDialog.initialFolder, folder.Path().string());
    EXPECT_TRUE(prompter.saveRequests.empty());
}

TEST_F(WindowFilesTest, BrowseOnTheLastStepChoosesAFileToSave) {
    Open(kFiles);
    ASSERT_TRUE(NextUntil("Save"));
    window->eLocation->setText("plain.psd");
    prompter.saveAnswers.push_back(folder.File("target.psd"));
    window->bBrowseClick();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].initialFolder, "plain.psd");  // no separator: the whole text
    EXPECT_EQ(window->eLocation->text().toStdString(), folder.File("target.psd"));

    window->bSaveClick();
    EXPECT_TRUE(window->Saved());
    window->bBrowseClick();  // cancelled
    EXPECT_FALSE(window->Saved());
}

TEST_F(WindowFilesTest, AMissingDefinitionFailsTheStart) {
    TfProfile lonely(prompter, folder.Path().string());
    EXPECT_THROW(lonely.Start(folder.File("absent.xml")), DefinitionError);
    EXPECT_EQ(lonely.ExitCode(), 1);
}

TEST_F(WindowFilesTest, ABrokenDefinitionFailsTheStart) {
    TfProfile broken(prompter, folder.Path().string());
    EXPECT_THROW(broken.Start(folder.Write("profile.xml", "<profile-wizard><steps>")), DefinitionError);
    EXPECT_THROW(broken.Start(folder.Write("profile.xml", "<profile-wizard/>")), DefinitionError);
}

class SplashTest : public WindowTest {};

TEST_F(SplashTest, ThePictureShowsUntilTheTimerFires) {
    Open(kFiles);
    EXPECT_TRUE(window->SplashShown());
    EXPECT_TRUE(window->gbDesc->isHidden());
    EXPECT_FALSE(window->Image1->isHidden());
    EXPECT_TRUE(window->tSplash->isActive());
    EXPECT_EQ(window->tSplash->interval(), 5000);

    window->tSplashTimer();
    EXPECT_FALSE(window->SplashShown());
    EXPECT_TRUE(window->Image1->isHidden());
    EXPECT_FALSE(window->tSplash->isActive());
    EXPECT_EQ(window->CurrentStepName(), "Welcome");
}

TEST_F(SplashTest, TheFirstNextShowsTheDescriptionAtOnce) {
    Open(kFiles);
    window->bNextClick();
    EXPECT_FALSE(window->SplashShown());
    EXPECT_FALSE(window->tSplash->isActive());
    EXPECT_EQ(window->gbDesc->title(), "Load Existing Profile");
}

TEST_F(SplashTest, TheTopAreaFollowsTheWindow) {
    Open(kFiles);
    EXPECT_EQ(window->bBack->geometry(), QRect(10, 184, 75, 25));
    EXPECT_EQ(window->bNext->geometry(), QRect(90, 184, 75, 25));
    EXPECT_EQ(window->bSkip->geometry(), QRect(170, 184, 75, 25));
    EXPECT_EQ(window->bCancel->geometry(), QRect(552, 184, 75, 25));
    EXPECT_EQ(window->gbDesc->geometry(), QRect(16, 0, 610, 177));
    EXPECT_EQ(window->Image1->geometry(), QRect(16, 8, 609, 169));
    EXPECT_TRUE(window->bNext->isDefault());

    window->resize(800, 656);
    QApplication::processEvents();
    EXPECT_EQ(window->bCancel->x(), 800 - 98);
    EXPECT_EQ(window->gbDesc->width(), 760);
}

}  // namespace
}  // namespace orvik::test
