#include "notice_queue.h"

#include <utility>

namespace vantrel {

void NoticeQueue::Post(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        work_.push_back(std::move(work));
    }
    posted_.notify_one();
}

bool NoticeQueue::RunPending(std::chrono::milliseconds timeout) {
    std::deque<std::function<void()>> batch;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!posted_.wait_for(lock, timeout, [this] { return !work_.empty(); })) return false;
        batch.swap(work_);
    }
    for (auto& work : batch) work();
    return true;
}

}  // namespace vantrel
