#pragma once
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vantrel {

// Turns SIGINT and SIGTERM into a call on the user-interface thread (through a
// self-pipe), so that the program can end the way File Exit does and save its
// settings. One instance at a time; the previous handlers come back with its end.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool Installed() const { return notifier_ != nullptr; }

private:
    void Drain();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vantrel
