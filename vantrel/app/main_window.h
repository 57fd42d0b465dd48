#pragma once
#include <QDialog>
#include <QTimer>
#include <functional>
#include <map>

#include "menu_command.h"

class QAction;
class QMenuBar;

namespace vantrel {

class TraceTextArea;

// "Vantrel 3.3": the menu bar and the trace text area, nothing else. The close
// box and File Exit close it, which ends the program; Enter and Escape, which
// would close a dialog, do nothing here, so a stray key loses no work.
class MainWindow : public QDialog {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Every menu choice goes here; the application checks its guard.
    std::function<void(MenuCommand)> onCommand;
    // Each tick of the poll timer goes here.
    std::function<void()> onPollTick;

    TraceTextArea& Trace() const { return *trace_; }
    // The client area is the window itself, the menu bar at its top.
    QWidget& ClientArea() { return *this; }
    QMenuBar& MenuBar() const { return *menuBar_; }
    QAction* Action(MenuCommand command) const;

    // Periodic, never stopped.
    void StartPollTimer(int periodMs);
    const QTimer& PollTimer() const { return pollTimer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenu();

    QMenuBar* menuBar_ = nullptr;
    TraceTextArea* trace_ = nullptr;
    QTimer pollTimer_;
    std::map<MenuCommand, QAction*> actions_;
};

}  // namespace vantrel
