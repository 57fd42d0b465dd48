#pragma once
#include <QPlainTextEdit>

#include "vantrel/link/trace_view.h"

namespace vantrel {

// The main window's trace text area: read-only, no word wrap, both scroll bars.
// As the link trace's view it replaces only the open block at the end, so a long
// transfer costs in proportion to the bytes it traces. Calls from other threads
// (the firmware worker) are carried out on the window's thread.
class TraceTextArea : public QPlainTextEdit, public ITraceView {
    Q_OBJECT
public:
    explicit TraceTextArea(QWidget* parent = nullptr);

    void Replace(std::size_t from, std::size_t length, const std::string& text) override;
    void DeleteFirst(std::size_t count) override;
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
    template <typename F>
    void OnOwnThread(F&& work) const;
};

}  // namespace vantrel
