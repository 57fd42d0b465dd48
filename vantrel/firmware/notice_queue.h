#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace vantrel {

// Carries work from the firmware worker to a thread without an event loop (the
// command line, tests): Post from any thread, RunPending on the owning one.
class NoticeQueue {
public:
    void Post(std::function<void()> work);
    // Runs what has been posted, waiting up to timeout for the first piece.
    // False when nothing came in time.
    bool RunPending(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> work_;
};

}  // namespace vantrel
