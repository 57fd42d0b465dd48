#pragma once
#include <memory>
#include <string>

#include <QDialog>

#include "orvik/definition/profile_definition.h"
#include "orvik/image/profile_reader.h"
#include "orvik/eval/values.h"
#include "orvik/wizard/step.h"
#include "orvik/wizard/step_sequence.h"
#include "orvik/wizard/window/prompter.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTimer;

namespace orvik {

class SplashPicture;
class WizardPage;

// The wizard's window: the description and navigation at the top, the page of
// the current step below, the file controls of the load and the last step.
class TfProfile : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 650;
    static constexpr int kHeight = 656;
    static constexpr int kTopHeight = 217;
    static constexpr int kSplashMilliseconds = 5000;

    // Saving writes working.psd into programFolder as well.
    TfProfile(IPrompter& prompter, std::string programFolder, QWidget* parent = nullptr);
    ~TfProfile() override;

    // Reads the definition, builds the steps, values and memory map and shows
    // the first step over the splash picture. Throws DefinitionError.
    void Start(const std::string& definitionPath);

    void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }
    const std::string& CommandLine() const { return commandLine_; }

    int ExitCode() const { return exitCode_; }
    bool Saved() const { return saved_; }

    TValMap& Values() { return values_; }
    const TMemMap& Memory() const { return memory_; }
    const CStep* CurrentStep() const;
    std::string CurrentStepName() const;
    WizardPage& Page() { return *page_; }
    bool SplashShown() const;

    // The buttons' and the timer's actions.
    void bNextClick();
    void bSkipClick();
    void bBackClick();
    void bCancelClick();
    void bBrowseClick();
    void bLoadClick();
    void bSaveClick();
    void tSplashTimer();

    // The settings the open and save dialogs start from.
    FileDialogRequest OpenDialog;
    FileDialogRequest SaveDialog;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void LayOutTopArea();
    void ShowStep(CStep* step);
    void LeavePage();
    void SetFileControls();
    bool FocusButton(QPushButton* button);
    void ShowDescription();
    void FitDescription(const std::string& description);
    void Finish();
    void LoadFromCommandLine(std::size_t optionStart);
    template <class Action>
    void Guarded(Action&& action);

    IPrompter& prompter_;
    std::string programFolder_;
    std::string commandLine_;
    bool saved_ = false;
    int exitCode_ = 1;

    std::unique_ptr<ProfileDefinition> definition_;
    TValMap values_;
    TMemMap memory_;
    std::unique_ptr<CStep> root_;
    std::unique_ptr<StepSequence> sequence_;
    ProfileReader reader_;
    std::unique_ptr<WizardPage> page_;

public:
    // The controls, by the names they are known by.
    QWidget* Panel1 = nullptr;
    SplashPicture* Image1 = nullptr;
    QGroupBox* gbDesc = nullptr;
    QPlainTextEdit* mDesc = nullptr;
    QPushButton* bBack = nullptr;
    QPushButton* bNext = nullptr;
    QPushButton* bSkip = nullptr;
    QPushButton* bCancel = nullptr;
    QSplitter* Splitter3 = nullptr;
    QScrollArea* cliScroll = nullptr;
    QWidget* cliPanel = nullptr;
    QLabel* lLocation = nullptr;
    QLineEdit* eLocation = nullptr;
    QPushButton* bBrowse = nullptr;
    QPushButton* bLoad = nullptr;
    QPushButton* bSave = nullptr;
    QTimer* tSplash = nullptr;
};

}  // namespace orvik
