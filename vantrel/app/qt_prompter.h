#pragma once
#include <QPointer>
#include <QWidget>

#include "vantrel/link/prompter.h"

namespace vantrel {

// Message boxes and file dialogs of the desktop.
class QtPrompter : public IPrompter {
public:
    // parent: the window the boxes belong to; the active window when null.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    std::optional<std::string> OpenFile(const std::string& filter, const std::string& defaultExtension) override;
    std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension) override;

    // "Name (*.a)|*.a|...|" as a Qt filter ("Name (*.a);;...").
    static QString QtFilter(const std::string& filter);

private:
    QWidget* Parent() const;
    QPointer<QWidget> parent_;
};

}  // namespace vantrel
