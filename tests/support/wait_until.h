#pragma once
#include <chrono>
#include <thread>

namespace ixen_testing {

// Polls condition until it holds or the limit has passed; true when it held.
// The limit only bounds a failing test: a passing one returns as soon as the
// condition holds, whatever the load of the machine.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace ixen_testing
