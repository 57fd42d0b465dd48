#include "main_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "dialog_units.h"
#include "menu_layout.h"
#include "trace_area_geometry.h"
#include "trace_text_area.h"

namespace vantrel {
MainWindow::MainWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Vantrel 3.3");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    // No layout: the menu bar and the text area are placed by hand on every resize.
    menuBar_ = new QMenuBar(this);
    trace_ = new TraceTextArea(this);
    BuildMenu();

    const QFontMetrics metrics(font());
    resize(DialogUnitsToPixelsX(355, metrics.averageCharWidth()), DialogUnitsToPixelsY(265, metrics.height()));

    connect(&pollTimer_, &QTimer::timeout, this, [this] {
        if (onPollTick) onPollTick();
    });
}

void MainWindow::BuildMenu() {
    for (const MenuColumn& column : MainMenuLayout()) {
        QMenu* menu = menuBar_->addMenu(QString::fromStdString(column.title));
        std::map<std::string, QMenu*> submenus;
        for (const MenuEntry& entry : column.entries) {
            QMenu* target = menu;
            if (!entry.submenu.empty()) {
                QMenu*& sub = submenus[entry.submenu];
                if (!sub) sub = menu->addMenu(QString::fromStdString(entry.submenu));
                target = sub;
            }
            QAction* action = target->addAction(QString::fromStdString(entry.text));
            action->setEnabled(!entry.greyed);
            const MenuCommand command = entry.command;
            connect(action, &QAction::triggered, this, [this, command] {
                if (onCommand) onCommand(command);
            });
            actions_[command] = action;
            if (entry.separatorAfter) menu->addSeparator();
        }
    }
}

QAction* MainWindow::Action(MenuCommand command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::StartPollTimer(int periodMs) {
    pollTimer_.setTimerType(Qt::CoarseTimer);
    pollTimer_.start(periodMs);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int menuHeight = menuBar_->heightForWidth(width()) > 0 ? menuBar_->heightForWidth(width())
                                                                  : menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    const Rect r = TraceAreaGeometry(width(), height(), menuHeight);
    trace_->setGeometry(r.x, r.y, r.width, r.height);
    trace_->update();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace vantrel
