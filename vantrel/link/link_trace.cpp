#include "link_trace.h"

#include <cstdio>

namespace vantrel {
namespace {

constexpr const char* kBlankColumn = "      ";  // as wide as "<0xNN>"

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

ITraceView& LinkTrace::View() {
    std::lock_guard lock(mutex_);
    return *view_;
}

void LinkTrace::AppendSent(uint8_t byte) {
    std::lock_guard lock(mutex_);
    hostLine += ByteColumn(byte);
    deviceLine += kBlankColumn;
    RefreshTrace();
}

void LinkTrace::AppendReceived(uint8_t byte) {
    std::lock_guard lock(mutex_);
    deviceLine += ByteColumn(byte);
    hostLine += kBlankColumn;
    RefreshTrace();
}

void LinkTrace::RefreshTrace() {
    std::lock_guard lock(mutex_);
    const std::string text = hostLine + "\r\n" + deviceLine;
    view_->Replace(committedLength, pendingLength, text);
    pendingLength = text.size();
}

void LinkTrace::CommitTrace(int mode) {
    std::lock_guard lock(mutex_);
    committedLength += pendingLength;
    pendingLength = 0;
    if (mode == 2) committedLength = 0;
    view_->Repaint();
    deviceLine = "IXEN:";
    hostLine = "\r\n\r\nHOST:";
    if (committedLength > kTrimLimit) {
        view_->DeleteFirst(kTrimSlice);
        committedLength -= kTrimSlice;
    }
}

void LinkTrace::ClearTrace() {
    std::lock_guard lock(mutex_);
    view_->SetText("");
    CommitTrace(2);
}

void LinkTrace::InsertAtTop(const std::string& text) {
    std::lock_guard lock(mutex_);
    view_->Replace(0, 0, text);
    committedLength += text.size();
}

}  // namespace vantrel
