#include "firmware_update_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "firmware_texts.h"

namespace vantrel {

FirmwareUpdateDialog::FirmwareUpdateDialog(FirmwareUpdateContext context, QWidget* parent)
    : QDialog(parent),
      update_(std::move(context), *this, [this](std::function<void()> work) {
          QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
      }) {
    setWindowTitle(texts::kFirmwareUpdateCaption);
    setModal(true);

    progressBar = new QProgressBar(this);
    progressBar->setTextVisible(false);
    progressBar->setRange(1, 1);
    progressBar->setValue(1);
    percentText = new QLabel(kInitialPercentText, this);
    bytesText = new QLabel(kInitialBytesText, this);
    startStopButton = new QPushButton("&Start/Stop Update", this);
    closeButton = new QPushButton("&Close", this);
    startStopButton->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Update Progress", this), 0, 0);
    fields->addWidget(progressBar, 0, 1);
    fields->addWidget(percentText, 0, 2);
    fields->addWidget(new QLabel("Bytes Uploaded", this), 1, 0);
    fields->addWidget(bytesText, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(startStopButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(startStopButton, &QPushButton::clicked, this, [this] { update_.StartOrStop(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { reject(); });
}

FirmwareUpdateDialog::~FirmwareUpdateDialog() {
    // The worker must be gone before the dialog its notices are posted to.
    update_.Shutdown();
}

void FirmwareUpdateDialog::SetBarRange(int minimum, int maximum) {
    progressBar->setRange(minimum, maximum);
    progressBar->setValue(minimum);
}

void FirmwareUpdateDialog::ShowProgress(const FirmwareProgress& progress) {
    progressBar->setValue(progress.barPosition);
    percentText->setText(QString::fromStdString(progress.PercentText()));
    bytesText->setText(QString::fromStdString(progress.BytesText()));
}

void FirmwareUpdateDialog::ShowState(FirmwareUpdateState state) {
    closeButton->setEnabled(state == FirmwareUpdateState::kIdle);
    startStopButton->setEnabled(state != FirmwareUpdateState::kStopping);
}

void FirmwareUpdateDialog::reject() {
    if (update_.Running()) return;
    QDialog::reject();
}

}  // namespace vantrel
