#include "debug_command_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

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

    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    outer->addWidget(progress_);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    write_ = new QPushButton("&Write", this);
    read_ = new QPushButton("&Read", this);
    auto* close = new QPushButton("&Close", this);
    for (QPushButton* button : {write_, read_, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
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
    // Like the row tables' bars: a position outside the range shows its nearest end.
    progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
    progress_->repaint();  // the pause after the answer happens without the event loop
}

}  // namespace vantrel
