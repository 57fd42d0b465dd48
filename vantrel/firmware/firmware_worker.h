#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "firmware_stream.h"

namespace vantrel {

class CBoardLink;

// The update's worker thread. Everything shared with the owning thread is
// atomic or handed over at the join: the cancel flag, the accepted count and
// whether a progress notice is outstanding.
class FirmwareWorker {
public:
    // Called on the worker thread; the owner passes them on to its own thread.
    using Notice = std::function<void()>;

    FirmwareWorker() = default;
    ~FirmwareWorker();  // stops the stream and waits for it
    FirmwareWorker(const FirmwareWorker&) = delete;
    FirmwareWorker& operator=(const FirmwareWorker&) = delete;

    // Streams path on a new thread. progressed comes after an accepted character
    // once the previous notice has been taken (TakeAccepted), so notices never
    // pile up; ended comes once, last. False when the thread could not start.
    bool Start(CBoardLink& link, std::string path, Notice progressed, Notice ended);
    void RequestStop() { cancel_ = true; }
    bool Started() const { return thread_.joinable(); }
    // The characters accepted so far; takes the outstanding progress notice.
    uint64_t TakeAccepted();
    // Waits for the thread to end; afterwards Result holds the outcome.
    void Join();
    const StreamResult& Result() const { return result_; }

private:
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<uint64_t> accepted_{0};
    std::atomic<bool> progressNoticed_{false};
    StreamResult result_;  // written by the worker, read after Join
};

}  // namespace vantrel
