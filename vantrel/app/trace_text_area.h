#pragma once
#include <QPlainTextEdit>

#include <mutex>
#include <string>
#include <vector>

#include "vantrel/link/trace_view.h"

namespace vantrel {

// The main window's trace text area: read-only, no word wrap, both scroll bars.
// As the link trace's view it replaces only the open block at the end, so a long
// transfer costs in proportion to the bytes it traces. After every edit it shows
// the newest block from the start of its lines.
//
// Threads: the edits may come from any thread. The window's thread carries them
// out at once; another thread (the firmware worker) only hands them over and
// returns, and the window thread carries them out, in order, when it next
// serves its events. Nobody waits for anybody, so the worker and a window
// thread that clears the trace or waits for the worker cannot deadlock.
class TraceTextArea : public QPlainTextEdit, public ITraceView {
    Q_OBJECT
public:
    explicit TraceTextArea(QWidget* parent = nullptr);

    void Replace(std::size_t from, std::size_t length, const std::string& text) override;
    void DeleteFirst(std::size_t count) override;
    // The text as the trace wrote it, including edits still handed over; from any thread.
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void Repaint() override;

    // The trace's "\r\n" line ends kept at their length: the CR as a zero-width
    // character, so positions in the document are positions in the trace.
    static QString ToDocument(const std::string& text);
    static std::string FromDocument(const QString& text);

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    struct Edit {
        enum class Kind { kReplace, kDeleteFirst, kSetText, kRepaint };
        Kind kind = Kind::kRepaint;
        std::size_t from = 0;
        std::size_t length = 0;
        std::string text;
    };

    // Records the edit, then carries out everything pending on the window
    // thread, or asks the window thread to do so.
    void Hand(Edit edit);
    Q_INVOKABLE void ApplyPendingEdits();
    void Apply(const Edit& edit);
    // Puts the caret at position and shows its line from the start.
    void ShowEditAt(int position);

    mutable std::mutex mutex_;     // guards the three fields below
    std::string text_;             // the text with every edit handed over applied
    std::vector<Edit> pending_;    // edits the document has not had yet, oldest first
    bool applyRequested_ = false;  // an apply event is on its way to the window thread
};

}  // namespace vantrel
