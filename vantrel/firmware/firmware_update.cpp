#include "firmware_update.h"

#include <utility>

#include "firmware_texts.h"
#include "program_file.h"
#include "vantrel/link/prompter.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

constexpr int kDrainTimeLimitSeconds = 3;

}  // namespace

FirmwareUpdate::FirmwareUpdate(FirmwareUpdateContext context, IFirmwareUpdateView& view, Poster post)
    : context_(std::move(context)), view_(view), post_(std::move(post)) {}

FirmwareUpdate::~FirmwareUpdate() { Shutdown(); }

void FirmwareUpdate::Shutdown() {
    worker_.RequestStop();
    worker_.Join();
}

void FirmwareUpdate::StartOrStop() {
    if (Running()) {
        Stop();
    } else {
        Start();
    }
}

void FirmwareUpdate::Start() {
    if (Running()) return;
    IPrompter& prompter = context_.prompter;
    total_ = 0;
    const std::optional<std::string> file = context_.programFile ? context_.programFile() : std::nullopt;
    if (!file) {
        prompter.Message(texts::kMustLoadProgramFile);
        return;
    }
    if (context_.commBusy != 0) {
        prompter.Message(texts::kCommunicationsInProgress);
        return;
    }
    const ProgramFileCount count = CountProgramFile(*file);
    if (const char* message = CountMessage(count.status)) prompter.Message(message);
    if (!MayStream(count.status)) return;
    total_ = count.total;
    view_.SetBarRange(1, ProgressBarMaximum(total_));

    prompter.Message(texts::kFirmwareInstructions);
    // The instructions box lets timers run; a sequence may have begun meanwhile.
    if (context_.commBusy != 0) {
        prompter.Message(texts::kCommunicationsInProgress);
        return;
    }
    if (context_.enterBootloader) context_.enterBootloader();

    context_.commBusy = 1;
    const bool started = worker_.Start(
        context_.link, *file, [this] { post_([this] { ShowAccepted(); }); },
        [this] { post_([this] { WorkerEnded(); }); });
    if (!started) {
        prompter.Message(texts::kUnableToStartThread);
        context_.commBusy = 0;
        return;
    }
    state_ = FirmwareUpdateState::kRunning;
    view_.ShowState(state_);
}

void FirmwareUpdate::Stop() {
    if (state_ != FirmwareUpdateState::kRunning) return;
    worker_.RequestStop();
    state_ = FirmwareUpdateState::kStopping;
    view_.ShowState(state_);
}

void FirmwareUpdate::ShowAccepted() {
    const uint64_t accepted = worker_.TakeAccepted();
    if (!Running()) return;
    view_.ShowProgress(FirmwareProgress::After(accepted, total_));
}

void FirmwareUpdate::WorkerEnded() {
    worker_.Join();
    if (!Running()) return;
    const StreamResult result = worker_.Result();
    switch (result.outcome) {
    case StreamOutcome::kProgrammed:
        Finish(true, {});
        break;
    case StreamOutcome::kCancelled:
        Finish(false, texts::kUploadFailed);
        context_.prompter.Message(texts::kUpdateCancelled);
        break;
    default:
        Finish(false, FailureMessage(result));
        break;
    }
}

void FirmwareUpdate::Finish(bool success, const std::string& failureMessage) {
    if (!success) context_.prompter.Message(failureMessage);
    view_.ShowProgress(FirmwareProgress{});
    context_.link.drainTimeLimit = kDrainTimeLimitSeconds;
    context_.commBusy = 0;
    if (success) context_.prompter.Message(texts::kFirmwareUpdateSuccessful);
    state_ = FirmwareUpdateState::kIdle;
    view_.ShowState(state_);
}

}  // namespace vantrel
