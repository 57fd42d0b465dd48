#include "qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "file_filter.h"

namespace vantrel {

namespace {

// Notes the window of every mouse press and key press: the window the user
// works in, whatever the window manager made active (some never activate a
// dialog on a click, and none while the user looks at another program).
class InputWatcher : public QObject {
public:
    explicit InputWatcher(QPointer<QWidget>& lastUsed) : lastUsed_(lastUsed) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) &&
            watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            // A menu's popup stands for the window whose menu it is.
            if (window->windowType() == Qt::Popup && window->parentWidget() != nullptr)
                window = window->parentWidget()->window();
            lastUsed_ = window;
        }
        return false;
    }

private:
    QPointer<QWidget>& lastUsed_;
};

}  // namespace

QtPrompter::QtPrompter(QWidget* parent) : parent_(parent), watcher_(std::make_unique<InputWatcher>(lastUsed_)) {}

QWidget* QtPrompter::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* last = lastUsed_.data(); last != nullptr && last->isVisible()) return last;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_.data();
}

void QtPrompter::Message(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, Parent());
    box.exec();
}

bool QtPrompter::AskYesNo(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, Parent());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompter::QtFilter(const std::string& filter) {
    QStringList parts;
    for (const FileFilterEntry& entry : ParsePipeFilter(filter)) {
        QString label = QString::fromStdString(entry.label);
        const QString pattern = QString::fromStdString(entry.pattern).replace(';', ' ');
        // Qt takes the patterns from the parentheses of the label.
        if (!label.contains('(')) label += " (" + pattern + ")";
        parts << label;
    }
    return parts.join(";;");
}

std::optional<std::string> QtPrompter::OpenFile(const std::string& filter, const std::string& defaultExtension) {
    const QString chosen = QFileDialog::getOpenFileName(Parent(), QString(), QString(), QtFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    std::string path = chosen.toStdString();
    // A typed name without extension means the default one when only that file exists.
    const std::string withExtension = WithDefaultExtension(path, defaultExtension);
    if (!QFileInfo::exists(chosen) && QFileInfo::exists(QString::fromStdString(withExtension)))
        path = withExtension;
    return path;
}

std::optional<std::string> QtPrompter::SaveFile(const std::string& filter, const std::string& defaultExtension) {
    const QString chosen = QFileDialog::getSaveFileName(Parent(), QString(), QString(), QtFilter(filter), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return std::nullopt;
    return WithDefaultExtension(chosen.toStdString(), defaultExtension);
}

}  // namespace vantrel
