#include "about_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop.h"
#include "dialog_units.h"
#include "help_commands.h"

namespace vantrel {

namespace {
constexpr int kWidthUnits = 216;
constexpr int kHeightUnits = 101;
constexpr int kIconSize = 32;
}  // namespace

AboutDialog::AboutDialog(IDesktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setWindowTitle(kAboutTitle);
    setObjectName("aboutDialog");

    auto* icon = new QLabel(this);
    icon->setObjectName("icon");
    icon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    for (const char* text : {kAboutProgram, kAboutVersion, kAboutFeature, kAboutWizard})
        lines->addWidget(new QLabel(text, this));
    const QString address = QString::fromUtf8(kWebHelpAddress);
    auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), this);
    link->setObjectName("webAddress");
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this] { ActivateAddress(); });
    lines->addWidget(link);

    auto* ok = new QPushButton(kAboutOk, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0);
    grid->addLayout(lines, 0, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);

    const QFontMetrics metrics(font());
    resize(DialogUnitsToPixelsX(kWidthUnits, metrics.averageCharWidth()),
           DialogUnitsToPixelsY(kHeightUnits, metrics.height()));
}

void AboutDialog::ActivateAddress() { desktop_.OpenAddress(kWebHelpAddress); }

}  // namespace vantrel
