#include "trace_text_area.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>

namespace vantrel {
namespace {

constexpr char16_t kCarriageReturnStandIn = u'\u200B';

}  // namespace

TraceTextArea::TraceTextArea(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::StyledPanel);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Selecting and copying stays possible; typing does not.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

template <typename F>
void TraceTextArea::OnOwnThread(F&& work) const {
    if (QThread::currentThread() == thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(const_cast<TraceTextArea*>(this), std::forward<F>(work), Qt::BlockingQueuedConnection);
}

QString TraceTextArea::ToDocument(const std::string& text) {
    QString out = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QChar('\r'), QChar(kCarriageReturnStandIn));
    return out;
}

std::string TraceTextArea::FromDocument(const QString& text) {
    QString out = text;
    out.replace(QChar(kCarriageReturnStandIn), QChar('\r'));
    out.replace(QChar::ParagraphSeparator, QChar('\n'));
    return out.toLatin1().toStdString();
}

void TraceTextArea::Replace(std::size_t from, std::size_t length, const std::string& text) {
    OnOwnThread([this, from, length, &text] {
        QTextDocument* doc = document();
        const int size = doc->characterCount() - 1;  // without the final paragraph separator
        const int start = static_cast<int>(std::min<std::size_t>(from, static_cast<std::size_t>(size)));
        const int end = static_cast<int>(std::min<std::size_t>(from + length, static_cast<std::size_t>(size)));
        QTextCursor cursor(doc);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.insertText(ToDocument(text));
        // Scroll the replaced block into view.
        QTextCursor caret(doc);
        caret.setPosition(cursor.position());
        setTextCursor(caret);
        ensureCursorVisible();
    });
}

void TraceTextArea::DeleteFirst(std::size_t count) {
    OnOwnThread([this, count] {
        QTextDocument* doc = document();
        const int size = doc->characterCount() - 1;
        QTextCursor cursor(doc);
        cursor.setPosition(0);
        cursor.setPosition(static_cast<int>(std::min<std::size_t>(count, static_cast<std::size_t>(size))),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

std::string TraceTextArea::Text() const {
    std::string text;
    OnOwnThread([this, &text] { text = FromDocument(toPlainText()); });
    return text;
}

void TraceTextArea::SetText(const std::string& text) {
    OnOwnThread([this, &text] {
        setPlainText(ToDocument(text));
        moveCursor(QTextCursor::End);
    });
}

void TraceTextArea::Repaint() {
    OnOwnThread([this] {
        if (isVisible()) viewport()->repaint();
    });
}

QMimeData* TraceTextArea::createMimeDataFromSelection() const {
    auto* mime = new QMimeData;
    QString text = textCursor().selectedText();
    text.remove(QChar(kCarriageReturnStandIn));
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    mime->setText(text);
    return mime;
}

}  // namespace vantrel
