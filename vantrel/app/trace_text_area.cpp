#include "trace_text_area.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QThread>

#include <algorithm>
#include <utility>

namespace vantrel {
namespace {

constexpr char16_t kCarriageReturnStandIn = u'\u200B';

// Clamps a trace position to a text of size characters.
int Clamped(std::size_t position, int size) {
    return static_cast<int>(std::min(position, static_cast<std::size_t>(size)));
}

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
    Hand({Edit::Kind::kReplace, from, length, text});
}

void TraceTextArea::DeleteFirst(std::size_t count) { Hand({Edit::Kind::kDeleteFirst, 0, count, {}}); }

std::string TraceTextArea::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

void TraceTextArea::SetText(const std::string& text) { Hand({Edit::Kind::kSetText, 0, 0, text}); }

void TraceTextArea::Repaint() { Hand({Edit::Kind::kRepaint, 0, 0, {}}); }

void TraceTextArea::Hand(Edit edit) {
    const bool onWindowThread = QThread::currentThread() == thread();
    {
        std::lock_guard lock(mutex_);
        switch (edit.kind) {
            case Edit::Kind::kReplace:
                text_.replace(std::min(edit.from, text_.size()), edit.length, edit.text);
                break;
            case Edit::Kind::kDeleteFirst: text_.erase(0, edit.length); break;
            case Edit::Kind::kSetText: text_ = edit.text; break;
            case Edit::Kind::kRepaint: break;
        }
        pending_.push_back(std::move(edit));
        if (!onWindowThread) {
            if (applyRequested_) return;
            applyRequested_ = true;
        }
    }
    if (onWindowThread) {
        ApplyPendingEdits();
    } else {
        // Queued, so it returns at once; the window thread picks up every edit
        // handed over until it gets there. By name, so that the call's event is
        // Qt's own from creation to end.
        QMetaObject::invokeMethod(this, "ApplyPendingEdits", Qt::QueuedConnection);
    }
}

void TraceTextArea::ApplyPendingEdits() {
    std::vector<Edit> edits;
    {
        std::lock_guard lock(mutex_);
        edits.swap(pending_);
        applyRequested_ = false;
    }
    for (const Edit& edit : edits) Apply(edit);
}

void TraceTextArea::Apply(const Edit& edit) {
    QTextDocument* doc = document();
    const int size = doc->characterCount() - 1;  // without the final paragraph separator
    switch (edit.kind) {
        case Edit::Kind::kReplace: {
            QTextCursor cursor(doc);
            cursor.setPosition(Clamped(edit.from, size));
            cursor.setPosition(Clamped(edit.from + edit.length, size), QTextCursor::KeepAnchor);
            cursor.insertText(ToDocument(edit.text));
            ShowEditAt(cursor.position());
            break;
        }
        case Edit::Kind::kDeleteFirst: {
            QTextCursor cursor(doc);
            cursor.setPosition(Clamped(edit.length, size), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        }
        case Edit::Kind::kSetText:
            setPlainText(ToDocument(edit.text));
            ShowEditAt(document()->characterCount() - 1);
            break;
        case Edit::Kind::kRepaint:
            if (isVisible()) viewport()->repaint();
            break;
    }
}

void TraceTextArea::ShowEditAt(int position) {
    QTextCursor caret(document());
    caret.setPosition(position);
    setTextCursor(caret);
    // The open block is the end of the text: there the last line is wholly in
    // view, whatever the font and height leave of the line above it.
    if (position == document()->characterCount() - 1) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    // Lines from their start, where "HOST:" and "IXEN:" say what they are: the
    // caret at the end of a long block would leave only its last bytes in view.
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
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
