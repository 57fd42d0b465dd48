#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace vantrel {

class CBoardLink;

// How streaming a program file to the bootloader ended.
enum class StreamOutcome {
    kProgrammed,       // the bootloader reported the end of programming
    kRefused,          // the board answered 0xF0, a wrong byte or nothing in time
    kDrainFailed,      // input kept arriving before the first character
    kReadError,        // the file could not be read to its end
    kFileNotOpened,    // the file went away after it was counted; nothing was sent
    kEndNotConfirmed,  // every character was accepted, but no end of programming came
    kCancelled,        // stopped by the user before the end
};

struct StreamResult {
    StreamOutcome outcome = StreamOutcome::kCancelled;
    uint64_t accepted = 0;       // characters the bootloader accepted
    bool lastLineEnded = true;   // the file's last character was a line feed
};

// Sends the program file at path to the bootloader one character at a time, as
// text (CR LF as one LF), after draining stale input. Looks at cancel once per
// character and calls accepted with the running count after each accepted one.
// Nothing is sent after the file's last character. Runs on the calling thread.
StreamResult StreamProgramFile(CBoardLink& link, const std::string& path, const std::atomic<bool>& cancel,
                               const std::function<void(uint64_t accepted)>& accepted);

// The message a stream that did not program the board ends with.
std::string FailureMessage(const StreamResult& result);

}  // namespace vantrel
