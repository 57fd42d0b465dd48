#include "qt_desktop.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace vantrel {

void QtDesktop::OpenFile(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtDesktop::OpenAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace vantrel
