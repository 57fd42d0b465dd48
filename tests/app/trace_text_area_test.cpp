#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextDocument>
#include <atomic>
#include <functional>
#include <thread>

#include "vantrel/app/trace_text_area.h"
#include "vantrel/link/link_trace.h"

using namespace vantrel;

namespace {

// Drives a trace as transactions would: a block of bytes, then a commit.
void TraceTransactions(LinkTrace& trace, int count) {
    for (int t = 0; t < count; ++t) {
        for (int i = 0; i < 5; ++i) trace.AppendSent(static_cast<uint8_t>(t + i));
        for (int i = 0; i < 4; ++i) trace.AppendReceived(static_cast<uint8_t>(0xF0 + i));
        trace.CommitTrace();
    }
}

}  // namespace

TEST(TraceTextArea, HoldsExactlyWhatAPlainTextViewHolds) {
    TraceTextArea area;
    StringTraceView plain;
    LinkTrace viaArea, viaPlain;
    viaArea.SetView(&area);
    viaPlain.SetView(&plain);
    struct Step {
        const char* name;
        std::function<void(LinkTrace&)> act;
    };
    const Step steps[] = {
        {"one open block", [](LinkTrace& t) { t.AppendSent(0x13); t.AppendReceived(0x00); }},
        {"commit", [](LinkTrace& t) { t.CommitTrace(); }},
        {"insert at top", [](LinkTrace& t) { t.InsertAtTop("I/O Display ON"); }},
        {"many transactions", [](LinkTrace& t) { TraceTransactions(t, 200); }},
        {"open block after trimming", [](LinkTrace& t) { t.AppendSent(0xA0); }},
        {"clear", [](LinkTrace& t) { t.ClearTrace(); }},
        {"after clearing", [](LinkTrace& t) { TraceTransactions(t, 3); }},
    };
    for (const Step& step : steps) {
        step.act(viaArea);
        step.act(viaPlain);
        ASSERT_EQ(area.Text(), plain.Text()) << step.name;
        EXPECT_EQ(static_cast<std::size_t>(area.document()->characterCount() - 1), plain.Text().size()) << step.name;
    }
    viaArea.SetView(nullptr);
}

TEST(TraceTextArea, StaysNearTheTrimLimitAndShowsTheEnd) {
    TraceTextArea area;
    area.resize(400, 200);
    area.show();
    LinkTrace trace;
    trace.SetView(&area);
    TraceTransactions(trace, 500);
    const std::size_t length = area.Text().size();
    EXPECT_LE(length, LinkTrace::kTrimLimit + 200);
    EXPECT_GE(length, LinkTrace::kTrimLimit - LinkTrace::kTrimSlice);
    EXPECT_EQ(area.textCursor().position(), area.document()->characterCount() - 1);
    EXPECT_EQ(area.verticalScrollBar()->value(), area.verticalScrollBar()->maximum());
    trace.SetView(nullptr);
}

TEST(TraceTextArea, LineEndsAreLinesAndCopyWithoutStandIns) {
    TraceTextArea area;
    area.SetText("HOST:<0x13>\r\nIXEN:      ");
    EXPECT_EQ(area.document()->blockCount(), 2);
    EXPECT_EQ(area.Text(), "HOST:<0x13>\r\nIXEN:      ");
    EXPECT_EQ(TraceTextArea::FromDocument(TraceTextArea::ToDocument("a\r\nb")), "a\r\nb");
    area.selectAll();
    area.copy();
}

TEST(TraceTextArea, AnotherThreadWritesThroughTheWindowThread) {
    TraceTextArea area;
    LinkTrace trace;
    trace.SetView(&area);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        trace.AppendSent(0x3A);
        trace.CommitTrace();
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(area.Text(), "HOST:<0x3A>\r\nIXEN:      ");
    trace.SetView(nullptr);
}
