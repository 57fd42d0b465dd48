#include "qt_process_starter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>

namespace vantrel {

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
    }
}

// While it lives: the user's input and close requests are dropped, and the
// held timer's ticks are kept back.
class WaitFilter : public QObject {
public:
    explicit WaitFilter(const QTimer* heldTimer) : heldTimer_(heldTimer) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~WaitFilter() override { QCoreApplication::instance()->removeEventFilter(this); }
    WaitFilter(const WaitFilter&) = delete;
    WaitFilter& operator=(const WaitFilter&) = delete;

    bool TickHeld() const { return tickHeld_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (heldTimer_ != nullptr && watched == heldTimer_ && event->type() == QEvent::Timer) {
            tickHeld_ = true;
            return true;
        }
        if (!event->spontaneous()) return false;
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return IsUserInput(event->type());
    }

private:
    const QTimer* heldTimer_;
    bool tickHeld_ = false;
};

QStringList ToQt(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list;
}

}  // namespace

ProcessEnd QtProcessStarter::Run(const std::string& program, const std::vector<std::string>& arguments) {
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments(ToQt(arguments));
    // The program talks to the same terminal; no pipe of ours can fill up and stall it.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(-1)) return {ProcessEnd::How::NotStarted, 0};

    bool tickHeld = false;
    {
        WaitFilter filter(heldTimer_);
        if (onStarted) onStarted(process.processId());
        if (process.state() != QProcess::NotRunning) loop.exec();
        tickHeld = filter.TickHeld();
    }
    ProcessEnd end;
    if (process.exitStatus() == QProcess::CrashExit) {
        end.how = ProcessEnd::How::Crashed;
    } else {
        end.how = ProcessEnd::How::Exited;
        end.exitCode = process.exitCode();
    }
    if (tickHeld && deliverHeldTick_) deliverHeldTick_();
    return end;
}

}  // namespace vantrel
