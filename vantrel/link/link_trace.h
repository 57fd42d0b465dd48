#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "trace_view.h"

namespace vantrel {

// What CommitTrace does besides closing the open block.
enum class CommitMode {
    kCloseBlock,  // the closed block stays in the text area; the next one goes after it
    kStartOver,   // the text area has just been emptied: closed blocks count from zero again
};

// The two-line trace of every byte on the link: "HOST:" and "IXEN:" lines of one
// open block at the end of a text area, closed blocks before it.
//
// Threads: every operation locks the trace, so the firmware worker may trace
// while the window thread clears it or polls; the view must then accept calls
// from any thread without waiting for another (TraceTextArea does).
class LinkTrace {
public:
    static constexpr std::size_t kTrimLimit = 10000;
    static constexpr std::size_t kTrimSlice = 500;

    // Without a view the trace keeps its own text (see StringTraceView).
    void SetView(ITraceView* view);

    void AppendSent(uint8_t byte);      // "<0xNN>" in the host line, six blanks in the other
    void AppendReceived(uint8_t byte);  // the same with the roles swapped
    void RefreshTrace();                // rewrite the open block only
    void CommitTrace(CommitMode mode = CommitMode::kCloseBlock);
    void ClearTrace();
    // Puts text in front of everything (the I/O display toggle); later blocks still land at the end.
    void InsertAtTop(const std::string& text);
    // Shows a status of another part of the program ("Writing PSD file") in place
    // of the open block's two lines; the next byte traced appends to these lines.
    void ShowStatus(const std::string& firstLine, const std::string& secondLine);

    std::string HostLine() const;
    std::string DeviceLine() const;
    std::size_t PendingLength() const;    // characters of the open block
    std::size_t CommittedLength() const;  // characters of closed blocks before it
    // The whole text of the view.
    std::string Text() const;

private:
    void AppendColumns(std::string& byteLine, std::string& blankLine, uint8_t byte);
    void Refresh();
    void Commit(CommitMode mode);

    mutable std::mutex mutex_;
    std::string hostLine_ = "HOST:";
    std::string deviceLine_ = "IXEN:";
    std::size_t pendingLength_ = 0;
    std::size_t committedLength_ = 0;
    StringTraceView ownView_;
    ITraceView* view_ = &ownView_;
};

}  // namespace vantrel
