#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "trace_view.h"

namespace vantrel {

// The two-line trace of every byte on the link: "HOST:" and "IXEN:" lines of one
// open block at the end of a text area, closed blocks before it.
class LinkTrace {
public:
    static constexpr std::size_t kTrimLimit = 10000;
    static constexpr std::size_t kTrimSlice = 500;

    std::string hostLine = "HOST:";
    std::string deviceLine = "IXEN:";
    std::size_t pendingLength = 0;    // characters of the open block
    std::size_t committedLength = 0;  // characters of closed blocks before it

    // Without a view the trace keeps its own text (see StringTraceView).
    void SetView(ITraceView* view);
    ITraceView& View();

    void AppendSent(uint8_t byte);      // "<0xNN>" in the host line, six blanks in the other
    void AppendReceived(uint8_t byte);  // the same with the roles swapped
    void RefreshTrace();                // rewrite the open block only
    void CommitTrace(int mode = 1);     // 1 close the block; 2 as part of clearing
    void ClearTrace();
    // Puts text in front of everything (the I/O display toggle); later blocks still land at the end.
    void InsertAtTop(const std::string& text);

private:
    std::recursive_mutex mutex_;  // the firmware worker traces while the UI thread waits
    StringTraceView ownView_;
    ITraceView* view_ = &ownView_;
};

}  // namespace vantrel
