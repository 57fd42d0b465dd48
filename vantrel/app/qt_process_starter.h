#pragma once
#include <QtGlobal>
#include <functional>

#include "process_starter.h"

class QTimer;

namespace vantrel {

// Starts the program as a separate process and waits for it in a local event
// loop: the windows keep repainting, so the desktop does not take the utility
// for hung, but the user's input to them is dropped, and the ticks of the held
// timer wait until the program has ended (those that fell due meanwhile are
// delivered as one, through deliverHeldTick).
class QtProcessStarter : public IProcessStarter {
public:
    QtProcessStarter() = default;
    QtProcessStarter(const QTimer& heldTimer, std::function<void()> deliverHeldTick)
        : heldTimer_(&heldTimer), deliverHeldTick_(std::move(deliverHeldTick)) {}

    ProcessEnd Run(const std::string& program, const std::vector<std::string>& arguments) override;

    // Called once the program runs, with its process id (tests watch it through this).
    std::function<void(qint64 processId)> onStarted;

private:
    const QTimer* heldTimer_ = nullptr;
    std::function<void()> deliverHeldTick_;
};

}  // namespace vantrel
