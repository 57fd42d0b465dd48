#include "link_trace.h"

#include <cstdio>

namespace vantrel {
namespace {

constexpr const char* kBlankColumn = "      ";  // as wide as "<0xNN>"
constexpr const char* kNextHostLine = "\r\n\r\nHOST:";  // a blank line before every later block
constexpr const char* kDeviceLine = "IXEN:";
constexpr const char* kLineEnd = "\r\n";

std::string ByteColumn(uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "<0x%02X>", byte);
    return text;
}

}  // namespace

void LinkTrace::SetView(ITraceView* view) {
    std::lock_guard lock(mutex_);
    view_ = view != nullptr ? view : &ownView_;
}

void LinkTrace::AppendSent(uint8_t byte) {
    std::lock_guard lock(mutex_);
    AppendColumns(hostLine_, deviceLine_, byte);
}

void LinkTrace::AppendReceived(uint8_t byte) {
    std::lock_guard lock(mutex_);
    AppendColumns(deviceLine_, hostLine_, byte);
}

void LinkTrace::AppendColumns(std::string& byteLine, std::string& blankLine, uint8_t byte) {
    byteLine += ByteColumn(byte);
    blankLine += kBlankColumn;
    Refresh();
}

void LinkTrace::RefreshTrace() {
    std::lock_guard lock(mutex_);
    Refresh();
}

void LinkTrace::Refresh() {
    const std::string text = hostLine_ + kLineEnd + deviceLine_;
    view_->Replace(committedLength_, pendingLength_, text);
    pendingLength_ = text.size();
}

void LinkTrace::CommitTrace(CommitMode mode) {
    std::lock_guard lock(mutex_);
    Commit(mode);
}

void LinkTrace::Commit(CommitMode mode) {
    committedLength_ += pendingLength_;
    pendingLength_ = 0;
    if (mode == CommitMode::kStartOver) committedLength_ = 0;
    view_->Repaint();
    deviceLine_ = kDeviceLine;
    hostLine_ = kNextHostLine;
    if (committedLength_ > kTrimLimit) {
        view_->DeleteFirst(kTrimSlice);
        committedLength_ -= kTrimSlice;
    }
}

void LinkTrace::ClearTrace() {
    std::lock_guard lock(mutex_);
    view_->SetText("");
    Commit(CommitMode::kStartOver);
}

void LinkTrace::InsertAtTop(const std::string& text) {
    std::lock_guard lock(mutex_);
    view_->Replace(0, 0, text);
    committedLength_ += text.size();
}

void LinkTrace::ShowStatus(const std::string& firstLine, const std::string& secondLine) {
    std::lock_guard lock(mutex_);
    hostLine_ = firstLine;
    deviceLine_ = secondLine;
    Refresh();
}

std::string LinkTrace::HostLine() const {
    std::lock_guard lock(mutex_);
    return hostLine_;
}

std::string LinkTrace::DeviceLine() const {
    std::lock_guard lock(mutex_);
    return deviceLine_;
}

std::size_t LinkTrace::PendingLength() const {
    std::lock_guard lock(mutex_);
    return pendingLength_;
}

std::size_t LinkTrace::CommittedLength() const {
    std::lock_guard lock(mutex_);
    return committedLength_;
}

std::string LinkTrace::Text() const {
    std::lock_guard lock(mutex_);
    return view_->Text();
}

}  // namespace vantrel
