#include "orvik/wizard/window/qt_prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace orvik {
namespace {

void ShowMessage(QWidget* owner, const std::string& caption, const std::string& text) {
    const bool failure = caption.find("rror") != std::string::npos || caption == "ERROR";
    QMessageBox box(failure ? QMessageBox::Warning : QMessageBox::Information, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
}

QString Filter(const FileDialogRequest& request) {
    const QString description = QString::fromStdString(request.filterDescription);
    const QString pattern = QString::fromStdString(request.filterPattern);
    return description.contains(pattern) ? description : description + " (" + pattern + ")";
}

std::optional<std::string> Choose(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, {}, QString::fromStdString(request.initialFolder), Filter(request));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix("psd");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

void QtPrompter::Report(const std::string& caption, const std::string& text) { ShowMessage(owner_, caption, text); }

void QtPrompter::ReportUnowned(const std::string& caption, const std::string& text) {
    ShowMessage(nullptr, caption, text);
}

std::optional<std::string> QtPrompter::ChooseFileToOpen(const FileDialogRequest& request) {
    return Choose(owner_, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompter::ChooseFileToSave(const FileDialogRequest& request) {
    return Choose(owner_, request, QFileDialog::AcceptSave);
}

}  // namespace orvik
