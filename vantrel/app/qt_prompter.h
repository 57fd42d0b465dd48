#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "vantrel/link/prompter.h"

namespace vantrel {

// Message boxes and file dialogs of the desktop. Each belongs to the window
// that raised it: the modal dialog in front, else the window the user last
// clicked or typed in (a modeless dialog such as Advanced Setup), else the
// active window, else the main window.
// Closing the box then gives that window the focus back, instead of bringing
// the main window up over it.
class QtPrompter : public IPrompter {
public:
    // parent: the window the boxes belong to when no other window of the program was used.
    explicit QtPrompter(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    std::optional<std::string> OpenFile(const std::string& filter, const std::string& defaultExtension) override;
    std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension) override;

    // "Name (*.a)|*.a|...|" as a Qt filter ("Name (*.a);;...").
    static QString QtFilter(const std::string& filter);

    // The window a box shown now belongs to (null: none of the program's).
    QWidget* Parent() const;

private:
    QPointer<QWidget> parent_;
    QPointer<QWidget> lastUsed_;         // the program's window the user last clicked or typed in
    std::unique_ptr<QObject> watcher_;  // tracks lastUsed_ while the prompter lives
};

}  // namespace vantrel
