// The trace written from a worker thread (as the firmware update does) while the
// window thread clears it, polls it and waits for the worker. A program of its
// own, so that it can be built and run under ThreadSanitizer alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "vantrel/app/trace_text_area.h"
#include "vantrel/link/link_trace.h"

using namespace vantrel;

namespace {

constexpr int kTransactions = 400;

// One transaction's bytes as a 0x3F read with checksum would trace them, and its commit.
void TraceTransaction(LinkTrace& trace, int t) {
    for (int i = 0; i < 19; ++i) {
        trace.AppendSent(static_cast<uint8_t>(t + i));
        if (i < 18) trace.AppendReceived(static_cast<uint8_t>(i));
    }
    trace.CommitTrace();
}

std::string LastBlock(int t) {
    LinkTrace alone;
    TraceTransaction(alone, t);
    return alone.Text();
}

std::string DocumentText(const TraceTextArea& area) { return TraceTextArea::FromDocument(area.toPlainText()); }

// Ends the program with a message when the test is still running at its
// deadline: two threads waiting for each other would otherwise hang it.
class DeadlockWatch {
public:
    explicit DeadlockWatch(std::chrono::seconds limit)
        : watcher_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!finished_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "deadlock: the trace's threads still wait for each other\n");
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    ~DeadlockWatch() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_one();
        watcher_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread watcher_;
};

}  // namespace

TEST(TraceAcrossThreads, WorkerTracesWhileTheWindowThreadClearsPollsAndWaits) {
    const DeadlockWatch watch(std::chrono::seconds(60));
    // Not shown: painting would start Qt's own worker threads, which a build of
    // Qt without ThreadSanitizer would report; the hand-over is the same.
    TraceTextArea area;
    LinkTrace trace;
    trace.SetView(&area);

    std::atomic<int> traced{0};
    std::promise<void> finished;
    std::future<void> done = finished.get_future();
    std::thread worker([&] {
        for (int t = 0; t < kTransactions; ++t) {
            TraceTransaction(trace, t);
            traced = t + 1;
        }
        finished.set_value();
    });

    // The first half: the window thread clears the trace and polls it, as
    // Clear Screen and the poll tick would, while serving its events.
    int clears = 0;
    while (traced.load() < kTransactions / 2) {
        trace.ClearTrace();
        ++clears;
        (void)trace.Text();
        (void)trace.CommittedLength();
        QApplication::processEvents();
    }
    // The second half: the window thread waits for the worker without serving
    // its events, as a dialog that joins its worker does.
    const bool finishedWithoutTheWindowThread = done.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    EXPECT_TRUE(finishedWithoutTheWindowThread) << "the worker waited for the window thread";
    while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) QApplication::processEvents();
    worker.join();
    EXPECT_GT(clears, 0);

    // Every edit reached the document, in order.
    QApplication::processEvents();
    const std::string text = area.Text();
    EXPECT_EQ(DocumentText(area), text);
    EXPECT_EQ(text.size(), trace.CommittedLength());
    const std::string last = LastBlock(kTransactions - 1).substr(std::string("HOST:").size());
    ASSERT_GE(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
    trace.SetView(nullptr);
}
