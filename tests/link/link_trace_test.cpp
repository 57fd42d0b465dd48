#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vantrel/link/link_trace.h"

namespace {

using vantrel::LinkTrace;
using vantrel::StringTraceView;

// Records every edit, so the tests can see what each refresh costs the text area.
class RecordingView : public StringTraceView {
public:
    struct Edit {
        std::size_t from;
        std::size_t length;
        std::size_t inserted;
    };
    void Replace(std::size_t from, std::size_t length, const std::string& text) override {
        edits.push_back({from, length, text.size()});
        StringTraceView::Replace(from, length, text);
    }
    void Repaint() override { ++repaints; }
    std::vector<Edit> edits;
    int repaints = 0;
};

// The golden read of command 0xA0 with its CRC-8 answer.
void TraceGoldenRead(LinkTrace& trace) {
    for (uint8_t sent : {uint8_t{0x13}, uint8_t{0xA0}}) {
        trace.AppendSent(sent);
        trace.AppendReceived(sent == 0x13 ? 0x00 : 0x34);
    }
    trace.AppendSent(0x02);
    trace.AppendReceived(0x12);
    trace.AppendSent(0x03);
    trace.AppendReceived(0xC6);
    trace.AppendSent(0xFF);
}

TEST(LinkTrace, StartsWithTheTwoBareLines) {
    LinkTrace trace;
    EXPECT_EQ(trace.HostLine(), "HOST:");
    EXPECT_EQ(trace.DeviceLine(), "IXEN:");
    EXPECT_EQ(trace.PendingLength(), 0u);
    EXPECT_EQ(trace.CommittedLength(), 0u);
}

TEST(LinkTrace, EachByteTakesSixColumnsInBothLines) {
    LinkTrace trace;
    TraceGoldenRead(trace);
    EXPECT_EQ(trace.HostLine(), "HOST:<0x13>      <0xA0>      <0x02>      <0x03>      <0xFF>");
    EXPECT_EQ(trace.DeviceLine(), "IXEN:      <0x00>      <0x34>      <0x12>      <0xC6>      ");
    EXPECT_EQ(trace.Text(), trace.HostLine() + "\r\n" + trace.DeviceLine());
    EXPECT_EQ(trace.PendingLength(), trace.Text().size());
}

TEST(LinkTrace, CommitClosesTheBlockAndTheNextStartsWithABlankLine) {
    RecordingView view;
    LinkTrace trace;
    trace.SetView(&view);
    trace.AppendSent(0xF0);
    trace.AppendReceived(0xF0);
    trace.CommitTrace();
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(trace.CommittedLength(), view.Text().size());
    EXPECT_EQ(trace.PendingLength(), 0u);
    EXPECT_EQ(trace.HostLine(), "\r\n\r\nHOST:");
    EXPECT_EQ(trace.DeviceLine(), "IXEN:");
    TraceGoldenRead(trace);
    EXPECT_EQ(view.Text(),
              "HOST:<0xF0>      \r\nIXEN:      <0xF0>"
              "\r\n\r\nHOST:<0x13>      <0xA0>      <0x02>      <0x03>      <0xFF>"
              "\r\nIXEN:      <0x00>      <0x34>      <0x12>      <0xC6>      ");
}

TEST(LinkTrace, RefreshReplacesOnlyTheOpenBlock) {
    RecordingView view;
    LinkTrace trace;
    trace.SetView(&view);
    for (int block = 0; block < 20; ++block) {
        TraceGoldenRead(trace);
        trace.CommitTrace();
    }
    const std::string closed = view.Text();
    view.edits.clear();
    trace.AppendSent(0x12);
    trace.AppendReceived(0x00);
    ASSERT_EQ(view.edits.size(), 2u);
    EXPECT_EQ(view.edits[0].from, closed.size());
    EXPECT_EQ(view.edits[0].length, 0u);
    EXPECT_EQ(view.edits[1].from, closed.size());
    EXPECT_EQ(view.edits[1].length, view.edits[0].inserted);
    EXPECT_EQ(view.Text().substr(0, closed.size()), closed);
}

TEST(LinkTrace, TrimsTheOldestTextInSlicesOf500AndKeepsReplacingInPlace) {
    RecordingView view;
    LinkTrace trace;
    trace.SetView(&view);
    std::size_t trims = 0;
    for (int block = 0; block < 200; ++block) {
        TraceGoldenRead(trace);
        const std::size_t before = view.Text().size();
        trace.CommitTrace();
        if (view.Text().size() < before) {
            EXPECT_EQ(before - view.Text().size(), LinkTrace::kTrimSlice);
            ++trims;
        }
        EXPECT_LE(trace.CommittedLength(), LinkTrace::kTrimLimit);
        EXPECT_EQ(trace.CommittedLength(), view.Text().size());
    }
    EXPECT_GT(trims, 0u);

    // The open block after trimming still lands exactly behind the closed text.
    const std::string closed = view.Text();
    TraceGoldenRead(trace);
    TraceGoldenRead(trace);
    EXPECT_EQ(view.Text(), closed + trace.HostLine() + "\r\n" + trace.DeviceLine());
}

TEST(LinkTrace, ClearEmptiesTheAreaAndStartsOver) {
    RecordingView view;
    LinkTrace trace;
    trace.SetView(&view);
    TraceGoldenRead(trace);
    trace.CommitTrace();
    trace.ClearTrace();
    EXPECT_EQ(view.Text(), "");
    EXPECT_EQ(trace.CommittedLength(), 0u);
    EXPECT_EQ(trace.PendingLength(), 0u);
    trace.AppendSent(0xF0);
    EXPECT_EQ(view.Text(), "\r\n\r\nHOST:<0xF0>\r\nIXEN:      ");
}

TEST(LinkTrace, TextInsertedAtTheTopKeepsLaterBlocksAtTheEnd) {
    LinkTrace trace;
    TraceGoldenRead(trace);
    trace.CommitTrace();
    trace.InsertAtTop("I/O Display ON");
    trace.InsertAtTop("I/O Display OFF");
    const std::string before = trace.Text();
    EXPECT_EQ(before.rfind("I/O Display OFFI/O Display ONHOST:<0x13>", 0), 0u);
    trace.AppendSent(0x12);
    EXPECT_EQ(trace.Text(), before + "\r\n\r\nHOST:<0x12>\r\nIXEN:      ");
}

TEST(LinkTrace, AStatusTakesThePlaceOfTheOpenBlock) {
    LinkTrace trace;
    trace.AppendSent(0xF0);
    trace.CommitTrace();
    const std::string closed = trace.Text();
    trace.ShowStatus("/tmp/profile.psd", "Writing PSD file");
    trace.ShowStatus("/tmp/profile.psd", "Writing PSD file");
    EXPECT_EQ(trace.Text(), closed + "/tmp/profile.psd\r\nWriting PSD file");
    trace.CommitTrace();
    trace.AppendSent(0x12);
    EXPECT_EQ(trace.Text(), closed + "/tmp/profile.psd\r\nWriting PSD file\r\n\r\nHOST:<0x12>\r\nIXEN:      ");
}

}  // namespace
