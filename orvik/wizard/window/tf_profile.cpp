#include "orvik/wizard/window/tf_profile.h"

#include <algorithm>
#include <exception>

#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QStyle>
#include <QTextDocument>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "orvik/definition/element.h"
#include "orvik/definition/memory_map_reader.h"
#include "orvik/wizard/window/command_line.h"
#include "orvik/wizard/window/page_rules.h"
#include "orvik/wizard/window/splash_picture.h"
#include "orvik/wizard/window/wizard_files.h"
#include "orvik/wizard/window/wizard_page.h"

namespace orvik {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonsFromBottom = 33;   // 184 in a top area of 217
constexpr int kCancelFromRight = 98;     // 552 in a window of 650
constexpr int kDescLeft = 16;
constexpr int kDescMargin = 40;          // 610 x 177 in 650 x 217
constexpr int kSplashTop = 8;
constexpr int kLocationLeft = 64;
constexpr int kLocationTop = 32;
constexpr int kLocationWidth = 337;
constexpr int kFileButtonsTop = 56;
constexpr int kFileButtonLeft = 328;
constexpr int kFileControlsBottom = kFileButtonsTop + kButtonHeight + 5;
constexpr int kDescTitlePixels = 19;
constexpr int kDescTextPixels = 16;
constexpr int kDescSlack = 8;  // wrapping in the text area is a little narrower than measured

QString Text(const std::string& text) { return QString::fromStdString(text); }

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->resize(kButtonWidth, kButtonHeight);
    return button;
}

constexpr const char* kNoLoadFileMessage =
    "No profile file is named. Type its name in Load file, or press Browse to choose it.";

std::string NotSavedMessage(const std::string& failures) {
    return "The profile was not saved completely.\n" + failures;
}

std::string NoLoadStepMessage(const std::string& file) {
    return std::string("profile.xml has no step named \"") + kLoadStepName + "\", so " + file +
           " cannot be loaded.";
}

}  // namespace

TfProfile::TfProfile(IPrompter& prompter, std::string programFolder, QWidget* parent)
    : QDialog(parent), prompter_(prompter), programFolder_(std::move(programFolder)) {
    OpenDialog = {{}, kProfileFilterDescription, kProfileFilterPattern};
    SaveDialog = OpenDialog;
    BuildControls();
}

TfProfile::~TfProfile() = default;

void TfProfile::BuildControls() {
    setObjectName("TfProfile");
    setWindowFlags(Qt::Window);
    setWindowTitle(kWizardCaption);
    resize(kWidth, kHeight);

    Splitter3 = new QSplitter(Qt::Vertical, this);
    Splitter3->setObjectName("Splitter3");
    Splitter3->setHandleWidth(3);
    Splitter3->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter3);

    Panel1 = new QWidget;
    Panel1->setObjectName("Panel1");
    Panel1->setMinimumHeight(kTopHeight / 2);
    Panel1->installEventFilter(this);
    Splitter3->addWidget(Panel1);

    Image1 = new SplashPicture(Panel1);
    Image1->setObjectName("Image1");

    gbDesc = new QGroupBox(Panel1);
    gbDesc->setObjectName("gbDesc");
    QFont titleFont("CourierPS");
    titleFont.setPixelSize(kDescTitlePixels);
    titleFont.setBold(true);
    gbDesc->setFont(titleFont);
    mDesc = new QPlainTextEdit(gbDesc);
    mDesc->setObjectName("mDesc");
    mDesc->setReadOnly(true);
    mDesc->setFrameShape(QFrame::NoFrame);
    mDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mDesc->setFocusPolicy(Qt::NoFocus);
    QFont textFont("Geneva");
    textFont.setPixelSize(kDescTextPixels);
    textFont.setBold(false);
    mDesc->setFont(textFont);
    auto* descLayout = new QVBoxLayout(gbDesc);
    descLayout->addWidget(mDesc);

    bBack = MakeButton(Panel1, "bBack", kBackCaption);
    bNext = MakeButton(Panel1, "bNext", kNextCaption);
    bSkip = MakeButton(Panel1, "bSkip", kSkipCaption);
    bCancel = MakeButton(Panel1, "bCancel", "Cancel");
    bNext->setDefault(true);

    cliScroll = new QScrollArea;
    cliScroll->setObjectName("cliScroll");
    cliScroll->setFrameShape(QFrame::NoFrame);
    cliScroll->setWidgetResizable(true);
    cliPanel = new QWidget;
    cliPanel->setObjectName("cliPanel");
    cliScroll->setWidget(cliPanel);
    Splitter3->addWidget(cliScroll);
    Splitter3->setSizes({kTopHeight, kHeight - kTopHeight - Splitter3->handleWidth()});
    Splitter3->setStretchFactor(1, 1);

    lLocation = new QLabel(cliPanel);
    lLocation->setObjectName("lLocation");
    eLocation = new QLineEdit(cliPanel);
    eLocation->setObjectName("eLocation");
    eLocation->setGeometry(kLocationLeft, kLocationTop, kLocationWidth, eLocation->sizeHint().height());
    bBrowse = MakeButton(cliPanel, "bBrowse", "Browse");
    bBrowse->move(kLocationLeft, kFileButtonsTop);
    bLoad = MakeButton(cliPanel, "bLoad", "Load");
    bLoad->move(kFileButtonLeft, kFileButtonsTop);
    bSave = MakeButton(cliPanel, "bSave", "Save");
    bSave->move(kFileButtonLeft, kFileButtonsTop);

    tSplash = new QTimer(this);
    tSplash->setObjectName("tSplash");
    tSplash->setInterval(kSplashMilliseconds);

    connect(bNext, &QPushButton::clicked, this, [this] { Guarded([this] { bNextClick(); }); });
    connect(bSkip, &QPushButton::clicked, this, [this] { Guarded([this] { bSkipClick(); }); });
    connect(bBack, &QPushButton::clicked, this, [this] { Guarded([this] { bBackClick(); }); });
    connect(bCancel, &QPushButton::clicked, this, [this] { Guarded([this] { bCancelClick(); }); });
    connect(bBrowse, &QPushButton::clicked, this, [this] { Guarded([this] { bBrowseClick(); }); });
    connect(bLoad, &QPushButton::clicked, this, [this] { Guarded([this] { bLoadClick(); }); });
    connect(bSave, &QPushButton::clicked, this, [this] { Guarded([this] { bSaveClick(); }); });
    connect(tSplash, &QTimer::timeout, this, [this] { Guarded([this] { tSplashTimer(); }); });

    page_ = std::make_unique<WizardPage>(*cliPanel, values_, memory_, prompter_);
    page_->SetUncheckedFocusTargets({bBack, bSkip, bCancel});
    LayOutTopArea();
    SetFileControls();
}

template <class Action>
void TfProfile::Guarded(Action&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        prompter_.Report(kErrorCaption, error.what());
    }
}

bool TfProfile::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::Resize) LayOutTopArea();
    return QDialog::eventFilter(watched, event);
}

void TfProfile::LayOutTopArea() {
    // The picture and the description follow the window; Cancel keeps to its right edge.
    const int width = Panel1->width();
    const int height = Panel1->height();
    Image1->setGeometry(kDescLeft, kSplashTop, width - kDescMargin - 1, height - kDescMargin - kSplashTop);
    gbDesc->setGeometry(kDescLeft, 0, width - kDescMargin, height - kDescMargin);
    const int buttonsTop = height - kButtonsFromBottom;
    bBack->move(10, buttonsTop);
    bNext->move(90, buttonsTop);
    bSkip->move(170, buttonsTop);
    bCancel->move(width - kCancelFromRight, buttonsTop);
}

void TfProfile::Start(const std::string& definitionPath) {
    auto definition = std::make_unique<ProfileDefinition>();
    definition->LoadFile(definitionPath);
    definition_ = std::move(definition);

    values_.clear();
    root_ = std::make_unique<CStep>(definition_->Steps(), values_);
    sequence_ = std::make_unique<StepSequence>(*root_, values_, prompter_);
    memory_ = ReadMemoryMap(definition_->Memory(), prompter_);
    page_->Presets().Start(values_);

    ShowStep(sequence_->Start());
    gbDesc->hide();
    Image1->show();
    tSplash->start();
}

const CStep* TfProfile::CurrentStep() const { return sequence_ ? sequence_->Current() : nullptr; }

std::string TfProfile::CurrentStepName() const {
    const CStep* step = CurrentStep();
    return step == nullptr ? std::string() : AttributeText(step->element, "name");
}

bool TfProfile::SplashShown() const { return gbDesc->isHidden(); }

void TfProfile::ShowStep(CStep* step) {
    if (step == nullptr) return;
    setWindowTitle(Text(PageCaption(step->element)));
    gbDesc->setTitle(Text(DescriptionTitle(step->element)));

    const StepButtons buttons = sequence_->Buttons();
    bBack->setEnabled(buttons.backEnabled);
    bSkip->setEnabled(buttons.skipEnabled);
    bNext->setText(buttons.finish ? kFinishCaption : kNextCaption);
    if (!buttons.finish) saved_ = false;
    SetFileControls();

    const std::string description = page_->Build(step->element);
    mDesc->setPlainText(Text(description));
    FitDescription(description);
    const bool fileControls = !eLocation->isHidden();
    cliPanel->setMinimumHeight(std::max(page_->NextTop() + WizardPage::kControlGap,
                                        fileControls ? kFileControlsBottom : 0));
}

void TfProfile::FitDescription(const std::string& description) {
    // The top area grows so the whole description shows, up to two thirds of
    // the window; a longer text scrolls.
    const int total = Splitter3->height() > 0 ? Splitter3->height() : height();
    const int boxWidth = width() - kDescMargin;
    const QMargins margins = gbDesc->layout()->contentsMargins();
    const int documentMargin = static_cast<int>(mDesc->document()->documentMargin());
    const int textWidth = boxWidth - margins.left() - margins.right() - 2 * documentMargin -
                          mDesc->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - kDescSlack;
    const QFontMetrics text(mDesc->font());
    const int textHeight =
        text.boundingRect(QRect(0, 0, std::max(textWidth, 1), 1 << 20), Qt::TextWordWrap, Text(description)).height();
    const int titleHeight = QFontMetrics(gbDesc->font()).height();
    const int needed = textHeight + text.lineSpacing() + 2 * documentMargin + margins.top() + margins.bottom() +
                       titleHeight + kDescMargin;
    const int top = std::clamp(needed, kTopHeight, std::max(kTopHeight, total * 2 / 3));
    Splitter3->setSizes({top, std::max(0, total - top - Splitter3->handleWidth())});
}

void TfProfile::SetFileControls() {
    const bool last = sequence_ && sequence_->Current() != nullptr && sequence_->AtLast();
    const bool load = !last && CurrentStep() != nullptr && CurrentStepName() == kLoadStepName;
    lLocation->setText(last ? "Save file" : "Load file");
    lLocation->adjustSize();
    lLocation->move(kLocationLeft, kLocationTop - 3 - lLocation->height());
    for (QWidget* control : {static_cast<QWidget*>(lLocation), static_cast<QWidget*>(eLocation),
                             static_cast<QWidget*>(bBrowse)}) {
        control->setVisible(last || load);
    }
    bSave->setVisible(last);
    bLoad->setVisible(load);
}

void TfProfile::LeavePage() {
    page_->Leave();
    mDesc->clear();
    setWindowTitle(kWizardCaption);
}

bool TfProfile::FocusButton(QPushButton* button) {
    // The field being left runs its checks first, then every other entry of the
    // page; a refusal keeps the focus in the refused entry.
    if (QWidget* control = page_->ElementControlOf(focusWidget())) {
        if (!page_->ControlExit(control)) {
            control->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (!page_->CheckEntries()) return false;
    page_->SetExitsSuppressed(true);
    button->setFocus(Qt::OtherFocusReason);
    page_->SetExitsSuppressed(false);
    return true;
}

void TfProfile::ShowDescription() {
    tSplash->stop();
    Image1->hide();
    gbDesc->show();
}

void TfProfile::tSplashTimer() { ShowDescription(); }

void TfProfile::bNextClick() {
    if (sequence_ == nullptr || !FocusButton(bNext)) return;
    LeavePage();
    if (SplashShown()) ShowDescription();
    if (sequence_->Position().AtFirst()) {
        if (const std::optional<std::size_t> option = FindLoadOption(commandLine_)) {
            LoadFromCommandLine(*option);
            return;
        }
    }
    if (sequence_->AtLast()) {
        Finish();
        return;
    }
    ShowStep(sequence_->Next());
}

void TfProfile::bSkipClick() {
    if (sequence_ == nullptr) return;
    LeavePage();
    ShowStep(sequence_->Skip());
}

void TfProfile::bBackClick() {
    if (sequence_ == nullptr) return;
    LeavePage();
    ShowStep(sequence_->Back());
}

void TfProfile::bCancelClick() { close(); }

void TfProfile::Finish() {
    if (!saved_) {
        bBrowseClick();
        bSaveClick();
    }
    // A profile that could not be written keeps the wizard open; the message said why.
    if (saved_) close();
}

void TfProfile::LoadFromCommandLine(std::size_t optionStart) {
    const std::string file = LoadOptionFileName(commandLine_, optionStart);
    commandLine_ = file;

    // Next is pressed until the load step shows; the page Next left is rebuilt if none is needed.
    bool shown = false;
    while (DescriptionTitle(CurrentStep()->element) != kLoadStepName) {
        const CStep* before = CurrentStep();
        if (sequence_->AtLast()) break;
        if (shown) LeavePage();
        ShowStep(sequence_->Next());
        shown = true;
        if (CurrentStep() == before) break;
    }
    if (!shown) ShowStep(const_cast<CStep*>(CurrentStep()));
    if (DescriptionTitle(CurrentStep()->element) != kLoadStepName) {
        prompter_.Report(kErrorCaption, NoLoadStepMessage(file));
        close();
        return;
    }
    eLocation->setText(Text(file));
    bLoadClick();
}

void TfProfile::bBrowseClick() {
    const std::string location = eLocation->text().toStdString();
    OpenDialog.initialFolder = SaveDialog.initialFolder = FolderOf(location);
    if (sequence_ != nullptr && sequence_->AtLast()) {
        if (const std::optional<std::string> chosen = prompter_.ChooseFileToSave(SaveDialog)) {
            eLocation->setText(Text(*chosen));
        } else {
            saved_ = false;
        }
        return;
    }
    if (const std::optional<std::string> chosen = prompter_.ChooseFileToOpen(OpenDialog)) {
        eLocation->setText(Text(*chosen));
        SaveDialog.initialFolder = FolderOf(*chosen);
    }
}

void TfProfile::bSaveClick() {
    const std::string failures =
        SaveProfiles(memory_, values_, eLocation->text().toStdString(), programFolder_, prompter_);
    if (!failures.empty()) {
        prompter_.Report(kErrorCaption, NotSavedMessage(failures));
        saved_ = false;
        return;
    }
    saved_ = true;
    exitCode_ = 0;
}

void TfProfile::bLoadClick() {
    try {
        const std::string location = eLocation->text().toStdString();
        if (location.empty()) {
            prompter_.Report(kErrorCaption, kNoLoadFileMessage);
            return;
        }
        const ProfileReadResult result = LoadProfile(reader_, location, memory_, values_, prompter_);
        if (!result.Ok()) {
            prompter_.ReportUnowned(kReadErrorCaption, ReadFailureText(result));
            return;
        }
        // The loaded values win over presets until the user chooses another option.
        page_->Presets().Settle(values_);
        // Controls of this page must not put their old values back when Next leaves it.
        page_->Refresh();
        prompter_.Report(kLoadedCaption, LoadedMessage(location));
        bNextClick();
    } catch (const std::exception& error) {
        prompter_.Report(kErrorCaption, error.what());
    }
}

}  // namespace orvik
