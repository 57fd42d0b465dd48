#include "poll_timer_starter.h"

namespace vantrel {

void PollTimerStarter::Start(int32_t pollingRate) {
    if (started == 1) return;
    started = 1;
    // A rate below one second would make a busy loop of the tick.
    const int32_t rate = pollingRate < 1 ? 1 : pollingRate;
    if (start_) start_(static_cast<int>(rate) * 1000);
}

}  // namespace vantrel
