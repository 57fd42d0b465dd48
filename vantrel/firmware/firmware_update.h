#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "firmware_progress.h"
#include "firmware_worker.h"

namespace vantrel {

class CBoardLink;
class IPrompter;

enum class FirmwareUpdateState {
    kIdle,
    kRunning,   // the worker streams; Close is refused
    kStopping,  // Stop pressed; waiting for the worker to see it
};

// What the update dialog shows; the update drives it on the owner's thread.
class IFirmwareUpdateView {
public:
    virtual ~IFirmwareUpdateView() = default;
    // The bar's range for a new update; the bar goes back to position 1.
    virtual void SetBarRange(int minimum, int maximum) = 0;
    virtual void ShowProgress(const FirmwareProgress& progress) = 0;
    virtual void ShowState(FirmwareUpdateState state) = 0;
};

struct FirmwareUpdateContext {
    CBoardLink& link;
    int32_t& commBusy;  // the program's one interlock on the link
    IPrompter& prompter;
    // The file last opened through File > Open, or nothing when none is loaded.
    std::function<std::optional<std::string>()> programFile;
    // With a simulated board: what the jumper and the power-up do to a real one.
    std::function<void()> enterBootloader;
};

// The firmware update behind the "FirmWare Update" dialog: Start and Stop on
// the owner's (window's) thread, the stream on a worker thread. The worker's
// notices come back through post, which must run the work on the owner's
// thread; so CommBusy, the progress values and the view are only ever touched
// there, and Finish runs there too.
class FirmwareUpdate {
public:
    using Poster = std::function<void(std::function<void()> work)>;

    FirmwareUpdate(FirmwareUpdateContext context, IFirmwareUpdateView& view, Poster post);
    ~FirmwareUpdate();
    FirmwareUpdate(const FirmwareUpdate&) = delete;
    FirmwareUpdate& operator=(const FirmwareUpdate&) = delete;

    // The one "&Start/Stop Update" button.
    void StartOrStop();
    void Start();
    // Asks the worker to stop; it sees the request before its next character, so
    // within one exchange (2 s). Then the failure message and "Update Cancelled".
    void Stop();
    FirmwareUpdateState State() const { return state_; }
    bool Running() const { return state_ != FirmwareUpdateState::kIdle; }
    // Stops a running update and waits for the worker, showing nothing: for the
    // owner's destructor. The worker's last notice may still be posted.
    void Shutdown();

private:
    void ShowAccepted();
    void WorkerEnded();
    void Finish(bool success, const std::string& failureMessage);

    FirmwareUpdateContext context_;
    IFirmwareUpdateView& view_;
    Poster post_;
    FirmwareWorker worker_;
    FirmwareUpdateState state_ = FirmwareUpdateState::kIdle;
    uint64_t total_ = 0;
};

}  // namespace vantrel
