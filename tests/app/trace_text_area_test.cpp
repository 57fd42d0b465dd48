#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <functional>
#include <string>

#include "vantrel/app/trace_text_area.h"
#include "vantrel/link/link_trace.h"

using namespace vantrel;

namespace {

// Drives a trace as transactions would: a block of bytes, then a commit.
void TraceTransactions(LinkTrace& trace, int count, int sent = 5, int received = 4) {
    for (int t = 0; t < count; ++t) {
        for (int i = 0; i < sent; ++i) trace.AppendSent(static_cast<uint8_t>(t + i));
        for (int i = 0; i < received; ++i) trace.AppendReceived(static_cast<uint8_t>(0xF0 + i));
        trace.CommitTrace();
    }
}

std::string DocumentText(const TraceTextArea& area) { return TraceTextArea::FromDocument(area.toPlainText()); }

// Whether the line of position is wholly inside the viewport, from its first
// character, as the user sees it.
::testing::AssertionResult LineStartInView(TraceTextArea& area, int position) {
    QTextCursor cursor(area.document());
    cursor.setPosition(position);
    cursor.movePosition(QTextCursor::StartOfBlock);
    const QRect line = area.cursorRect(cursor);
    const QRect view = area.viewport()->rect();
    if (line.top() >= view.top() && line.bottom() <= view.bottom() && view.contains(line.topLeft())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "line at " << line.left() << "," << line.top() << " to "
                                         << line.bottom() << " outside the viewport of " << view.width() << "x"
                                         << view.height();
}

// The caret at the end of the text, and the newest block's two lines in view from their start.
void ExpectNewestBlockShown(TraceTextArea& area) {
    QApplication::processEvents();
    const int end = area.document()->characterCount() - 1;
    EXPECT_EQ(area.textCursor().position(), end);
    const QRect caret = area.cursorRect();
    EXPECT_GE(caret.top(), 0);
    EXPECT_LE(caret.bottom(), area.viewport()->rect().bottom());
    const QTextBlock last = area.document()->lastBlock();
    EXPECT_TRUE(LineStartInView(area, last.position()));
    EXPECT_TRUE(LineStartInView(area, last.previous().position()));
    EXPECT_EQ(area.horizontalScrollBar()->value(), area.horizontalScrollBar()->minimum());
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
        ASSERT_EQ(DocumentText(area), plain.Text()) << step.name;
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
    ExpectNewestBlockShown(area);
    trace.SetView(nullptr);
}

// A line that is not a whole number of pixels, or a height that holds no whole
// number of lines, must not cut off the newest line.
TEST(TraceTextArea, ShowsTheNewestLineWhateverTheFontAndHeight) {
    for (int pointSize : {7, 9, 11, 14}) {
        for (int height : {97, 150, 203, 331}) {
            SCOPED_TRACE(testing::Message() << pointSize << " pt, " << height << " px high");
            TraceTextArea area;
            QFont font = area.font();
            font.setPointSize(pointSize);
            area.setFont(font);
            area.resize(400, height);
            area.show();
            LinkTrace trace;
            trace.SetView(&area);
            TraceTransactions(trace, 60);
            trace.AppendSent(0x13);
            ExpectNewestBlockShown(area);
            trace.SetView(nullptr);
        }
    }
}

// A 0x3F read spans 19 positions: far wider than the area.
TEST(TraceTextArea, ALongBlockIsShownFromTheStartOfItsLines) {
    TraceTextArea area;
    area.resize(300, 200);
    area.show();
    LinkTrace trace;
    trace.SetView(&area);
    TraceTransactions(trace, 3);
    TraceTransactions(trace, 1, 19, 18);
    QApplication::processEvents();
    ASSERT_GT(area.horizontalScrollBar()->maximum(), 0) << "the block is wider than the area";
    ExpectNewestBlockShown(area);
    trace.SetView(nullptr);
}

TEST(TraceTextArea, LineEndsAreLinesAndCopyWithoutStandIns) {
    TraceTextArea area;
    area.SetText("HOST:<0x13>\r\nIXEN:      ");
    EXPECT_EQ(area.document()->blockCount(), 2);
    EXPECT_EQ(area.Text(), "HOST:<0x13>\r\nIXEN:      ");
    EXPECT_EQ(DocumentText(area), "HOST:<0x13>\r\nIXEN:      ");
    EXPECT_EQ(TraceTextArea::FromDocument(TraceTextArea::ToDocument("a\r\nb")), "a\r\nb");
    QApplication::clipboard()->setText("before");
    area.selectAll();
    area.copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "HOST:<0x13>\nIXEN:      ");
}
