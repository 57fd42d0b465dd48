#include "debug_command_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "progress_and_buttons.h"

namespace vantrel {
namespace {

constexpr int kCommandLength = 4;
constexpr int kWordLength = 6;

QGroupBox* Group(const char* title, QWidget* content, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

}  // namespace

DebugCommandDialog::DebugCommandDialog(DebugCommand& command) : debug_(command) {
    setWindowTitle("Debug Command");
    auto* outer = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout();
    outer->addLayout(groups);
    command_ = new QLineEdit(this);
    command_->setMaxLength(kCommandLength);
    word_ = new QLineEdit(this);
    word_->setMaxLength(kWordLength);
    groups->addWidget(Group("Function", command_, this));
    groups->addWidget(Group("Input/Output", word_, this));
    groups->addWidget(Group("Description", new QLabel(QString::fromStdString(debug_.description), this), this), 1);

    const ProgressAndButtons<3> foot(*outer, this, {"&Write", "&Read", "&Close"});
    progress_ = foot.progress;
    write_ = foot.buttons[0];
    read_ = foot.buttons[1];
    QPushButton* close = foot.buttons[2];
    connect(read_, &QPushButton::clicked, this, [this] {
        TakeFields();
        debug_.Read();
    });
    connect(write_, &QPushButton::clicked, this, [this] {
        TakeFields();
        debug_.Write();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    debug_.SetView(this);
    ShowFields();
}

DebugCommandDialog::~DebugCommandDialog() { debug_.SetView(nullptr); }

void DebugCommandDialog::TakeFields() {
    debug_.commandText = command_->text().toStdString();
    debug_.wordText = word_->text().toStdString();
}

void DebugCommandDialog::ShowFields() {
    command_->setText(QString::fromStdString(debug_.commandText));
    word_->setText(QString::fromStdString(debug_.wordText));
}

void DebugCommandDialog::SetProgressRange(int low, int high) { progress_->setRange(low, high); }

void DebugCommandDialog::SetProgressPosition(int position) {
    ShowProgressPosition(*progress_, position);
    progress_->repaint();  // the pause after the answer happens without the event loop
}

}  // namespace vantrel
