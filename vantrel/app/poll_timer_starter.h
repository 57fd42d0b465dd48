#pragma once
#include <cstdint>
#include <functional>

namespace vantrel {

// Starts the periodic poll timer once per run; it is never stopped or restarted.
class PollTimerStarter {
public:
    using StartTimer = std::function<void(int periodMs)>;

    explicit PollTimerStarter(StartTimer start) : start_(std::move(start)) {}

    // pollingRate: seconds per tick in force at the first start.
    void Start(int32_t pollingRate);
    uint8_t started = 0;

private:
    StartTimer start_;
};

}  // namespace vantrel
