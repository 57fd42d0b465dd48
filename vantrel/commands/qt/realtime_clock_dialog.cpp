#include "realtime_clock_dialog.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>

#include "progress_and_buttons.h"

namespace vantrel {
namespace {

constexpr int kTimePartLength = 2;
constexpr int kDelayColumnSpan = 4;
constexpr int kFieldPadding = 12;  // the frame and margins of a line edit

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

RealtimeClockDialog::RealtimeClockDialog(RealtimeClockConsole& clock, ConsoleDialogContext context)
    : clock_(clock), context_(std::move(context)) {
    setWindowTitle("Realtime Clock");
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    outer->addLayout(grid);
    grid->addWidget(Heading("Input/Output", this), 0, 0, 1, kDelayColumnSpan);
    grid->addWidget(Heading("Command Description", this), 0, kDelayColumnSpan);
    const char* partHeadings[] = {"DD/MM/YYYY", "Hour", "Min", "Sec"};
    for (int column = 0; column < 4; ++column) grid->addWidget(new QLabel(partHeadings[column], this), 1, column);

    const char* descriptions[] = {"Current Local Time", "Current UTC Time", "RTC Startup Time", "RTC Shutdown Time"};
    for (int row = 0; row < RealtimeClockConsole::kRowCount; ++row) {
        RowWidgets& w = rows_[static_cast<std::size_t>(row)];
        w.date = new QDateEdit(this);
        w.date->setDisplayFormat("dd/MM/yyyy");
        w.date->setCalendarPopup(true);
        w.hour = new QLineEdit(this);
        w.minute = new QLineEdit(this);
        w.second = new QLineEdit(this);
        grid->addWidget(w.date, row + 2, 0);
        int column = 1;
        for (QLineEdit* part : {w.hour, w.minute, w.second}) {
            part->setMaxLength(kTimePartLength);
            part->setMaximumWidth(part->fontMetrics().horizontalAdvance("0000") + kFieldPadding);
            grid->addWidget(part, row + 2, column++);
        }
        grid->addWidget(new QLabel(descriptions[row], this), row + 2, kDelayColumnSpan);
        if (row == RealtimeClockConsole::kCurrentUtc) {
            for (QWidget* widget : {static_cast<QWidget*>(w.date), static_cast<QWidget*>(w.hour),
                                    static_cast<QWidget*>(w.minute), static_cast<QWidget*>(w.second)}) {
                widget->setEnabled(false);
            }
        }
    }
    const int delayRow = RealtimeClockConsole::kRowCount + 2;
    delay_ = new QLineEdit(this);
    grid->addWidget(delay_, delayRow, 0);
    grid->addWidget(new QLabel("0...65535 / sec", this), delayRow, 1, 1, kDelayColumnSpan - 1);
    grid->addWidget(new QLabel("RTC Shutdown Delay", this), delayRow, kDelayColumnSpan);
    grid->setColumnStretch(kDelayColumnSpan, 1);

    const ProgressAndButtons<3> foot(*outer, this, {"&Read", "&Write", "&Close"});
    progress_ = foot.progress;
    read_ = foot.buttons[0];
    write_ = foot.buttons[1];
    QPushButton* close = foot.buttons[2];
    connect(read_, &QPushButton::clicked, this, [this] { clock_.ReadPass(); });
    connect(write_, &QPushButton::clicked, this, [this] {
        TakeFields();
        clock_.WritePass();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    clock_.SetView(this);
    ShowFields();
}

RealtimeClockDialog::~RealtimeClockDialog() { clock_.SetView(nullptr); }

void RealtimeClockDialog::showEvent(QShowEvent* event) {
    clock_.OnShown(static_cast<int64_t>(std::time(nullptr)));
    write_->setEnabled(context_.writeEnableFlag != 0);
    QDialog::showEvent(event);
}

void RealtimeClockDialog::TakeFields() {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const RowWidgets& w = rows_[row];
        RealtimeClockConsole::TimeRow& shown = clock_.rows[row];
        const QDate date = w.date->date();
        shown.year = date.year();
        shown.month = date.month();
        shown.day = date.day();
        shown.hour = w.hour->text().toStdString();
        shown.minute = w.minute->text().toStdString();
        shown.second = w.second->text().toStdString();
    }
    clock_.delayText = delay_->text().toStdString();
}

void RealtimeClockDialog::ShowFields() {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const RowWidgets& w = rows_[row];
        const RealtimeClockConsole::TimeRow& shown = clock_.rows[row];
        w.date->setDate(QDate(shown.year, shown.month, shown.day));
        w.hour->setText(QString::fromStdString(shown.hour));
        w.minute->setText(QString::fromStdString(shown.minute));
        w.second->setText(QString::fromStdString(shown.second));
    }
    delay_->setText(QString::fromStdString(clock_.delayText));
}

void RealtimeClockDialog::SetProgressRange(int low, int high) { progress_->setRange(low, high); }

void RealtimeClockDialog::SetProgressPosition(int position) { ShowProgressPosition(*progress_, position); }

void RealtimeClockDialog::StepProgress() {
    progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

}  // namespace vantrel
