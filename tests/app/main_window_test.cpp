#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenuBar>
#include <QTimer>
#include <csignal>

#include "app_harness.h"
#include "tests/support/wait_until.h"
#include "vantrel/app/io_display_toggle.h"
#include "vantrel/app/main_window.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/qt_prompter.h"
#include "vantrel/app/termination_signals.h"
#include "vantrel/app/trace_text_area.h"
#include "vantrel/app/board_search.h"
#include "vantrel/app/editor_hooks.h"
#include "vantrel/app/port_refusal_notice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

using namespace vantrel;

namespace {

// Builds a plain dialog per call and remembers the last one.
struct DialogFactory {
    int built = 0;
    QDialog* last = nullptr;
    ModelessDialogSlot::Factory Make() {
        return [this] {
            ++built;
            auto dialog = std::make_unique<QDialog>();
            last = dialog.get();
            return std::make_unique<QtModelessWindow>(std::move(dialog));
        };
    }
};

}  // namespace

TEST(MainWindow, TitleAndTraceArea) {
    AppHarness h;
    MainWindow& w = h.app->Window();
    EXPECT_EQ(w.windowTitle().toStdString(), "Vantrel 3.3");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    TraceTextArea& t = w.Trace();
    EXPECT_TRUE(t.isReadOnly());
    EXPECT_EQ(t.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(t.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(t.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(t.isUndoRedoEnabled());
    EXPECT_TRUE(t.toPlainText().isEmpty());
}

TEST(MainWindow, TraceAreaKeepsItsPlaceOnResize) {
    AppHarness h;
    MainWindow& w = h.app->Window();
    w.show();
    for (QSize size : {QSize(600, 400), QSize(320, 200), QSize(900, 700)}) {
        w.resize(size);
        QApplication::processEvents();
        const QRect r = w.Trace().geometry();
        const int menuHeight = w.MenuBar().height();
        EXPECT_EQ(r.left(), 5);
        EXPECT_EQ(r.top(), std::max(25, menuHeight + 5));
        EXPECT_EQ(r.right() + 1, w.width()) << "reaches the right edge";
        EXPECT_EQ(r.bottom() + 1, w.height()) << "reaches the bottom edge";
        EXPECT_EQ(w.MenuBar().geometry().top(), 0);
    }
}

TEST(MainWindow, ExitTheCloseBoxAndSignalsCloseItEnterAndEscapeDoNot) {
    struct Case {
        const char* name;
        std::function<void(MainWindow&, VantrelApp&)> act;
        bool closes;
    };
    const auto press = [](QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&target, &event);
    };
    const Case cases[] = {
        {"Enter in the trace", [&](MainWindow& w, VantrelApp&) { press(w.Trace(), Qt::Key_Return); }, false},
        {"Enter on the window", [&](MainWindow& w, VantrelApp&) { press(w, Qt::Key_Return); }, false},
        {"keypad Enter", [&](MainWindow& w, VantrelApp&) { press(w, Qt::Key_Enter, Qt::KeypadModifier); }, false},
        {"Escape in the trace", [&](MainWindow& w, VantrelApp&) { press(w.Trace(), Qt::Key_Escape); }, false},
        {"Escape on the window", [&](MainWindow& w, VantrelApp&) { press(w, Qt::Key_Escape); }, false},
        {"close box", [](MainWindow& w, VantrelApp&) { w.close(); }, true},
        {"File Exit", [](MainWindow&, VantrelApp& app) { app.Execute(MenuCommand::FileExit); }, true},
        {"SIGTERM", [](MainWindow&, VantrelApp&) { std::raise(SIGTERM); }, true},
        {"SIGINT", [](MainWindow&, VantrelApp&) { std::raise(SIGINT); }, true},
    };
    for (const Case& c : cases) {
        AppHarness h;
        MainWindow& w = h.app->Window();
        w.show();
        QApplication::processEvents();
        ASSERT_TRUE(w.isVisible());
        c.act(w, *h.app);
        // A signal arrives through the event loop; the keys act at once.
        if (c.closes) {
            EXPECT_TRUE(ixen_testing::WaitUntil([&] {
                QApplication::processEvents();
                return !w.isVisible();
            })) << c.name;
        } else {
            QApplication::processEvents();
            EXPECT_TRUE(w.isVisible()) << c.name;
        }
    }
}

TEST(MainWindow, PollTimerStartsOnceAndTicksGoToTheHook) {
    AppHarness h;
    int ticks = 0;
    h.app->hooks.pollTick = [&] { ++ticks; };
    h.record->pollingRate = 3;
    h.app->pollTimer.Start(h.record->pollingRate);
    h.app->pollTimer.Start(1);
    EXPECT_EQ(h.app->pollTimer.started, 1);
    EXPECT_EQ(h.app->Window().PollTimer().interval(), 3000);
    EXPECT_FALSE(h.app->Window().PollTimer().isSingleShot());
    ASSERT_TRUE(QMetaObject::invokeMethod(const_cast<QTimer*>(&h.app->Window().PollTimer()), "timeout",
                                          Qt::DirectConnection));
    EXPECT_EQ(ticks, 1);
}

TEST(ModelessPolicy, BuiltOnFirstUseThenShownAgainWithItsState) {
    AppHarness h;
    h.record->connected = 1;
    DialogFactory factory;
    h.app->Slot(ModelessDialog::Cycle1).SetFactory(factory.Make());
    h.app->Execute(MenuCommand::EepromCycle1);
    ASSERT_EQ(factory.built, 1);
    QDialog* first = factory.last;
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parent(), nullptr);
    EXPECT_EQ(h.record->openDialogs.cycle[0], 1);

    first->setWindowTitle("changed while open");
    first->reject();  // its own Close only hides it
    EXPECT_FALSE(first->isVisible());
    h.app->Execute(MenuCommand::EepromCycle1);
    EXPECT_EQ(factory.built, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle().toStdString(), "changed while open");
}

TEST(ModelessPolicy, ADialogThatClearsItsFlagIsBuiltAfresh) {
    AppHarness h;
    h.record->connected = 1;
    DialogFactory factory;
    h.app->Slot(ModelessDialog::EepromSetpoints).SetFactory(factory.Make());
    h.app->Execute(MenuCommand::EepromSetpoints);
    h.record->openDialogs.eepromSetpoints = 0;  // dismissed with Escape
    h.app->Execute(MenuCommand::EepromSetpoints);
    EXPECT_EQ(factory.built, 2);
    EXPECT_TRUE(factory.last->isVisible());
    EXPECT_EQ(h.record->openDialogs.eepromSetpoints, 1);
}

TEST(ModelessPolicy, WithoutItsPartTheCommandDoesNothing) {
    AppHarness h;
    h.record->connected = 1;
    h.app->Slot(ModelessDialog::PollingControl).SetFactory({});  // as if polling were not built in
    EXPECT_FALSE(h.app->Available(MenuCommand::CommandPolling));
    EXPECT_FALSE(h.app->Execute(MenuCommand::CommandPolling));
    EXPECT_FALSE(h.app->Slot(ModelessDialog::PollingControl).Created());
    EXPECT_EQ(h.record->openDialogs.pollingControl, 0);
}

TEST(IoDisplay, ToggleTextAtTheTopAndTheNextBlockAtTheEnd) {
    HarnessOptions options;
    options.serialBoard = BoardWithProtocol(2);
    AppHarness h(options);
    ASSERT_EQ(h.link->Open(1, 9600), 1);
    h.link->settings.LinkProtocol = 2;
    ASSERT_EQ(ReadBoardCommand(*h.link, kEepromAddressCommand), 0);
    TraceTextArea& t = h.app->Window().Trace();
    const std::string before = t.Text();
    ASSERT_FALSE(before.empty());

    h.app->Execute(MenuCommand::ToolsIoDisplayToggle);
    EXPECT_EQ(h.link->settings.TraceEnabled, 0);
    EXPECT_EQ(t.Text(), std::string(kIoDisplayOff) + before);
    h.app->Execute(MenuCommand::ToolsIoDisplayToggle);
    EXPECT_EQ(h.link->settings.TraceEnabled, 1);
    const std::string toggled = std::string(kIoDisplayOn) + kIoDisplayOff + before;
    EXPECT_EQ(t.Text(), toggled);

    ASSERT_EQ(ReadBoardCommand(*h.link, kEepromAddressCommand), 0);
    const std::string after = t.Text();
    ASSERT_GT(after.size(), toggled.size());
    EXPECT_EQ(after.substr(0, toggled.size()), toggled);
    EXPECT_EQ(after.substr(toggled.size(), 4), "\r\n\r\n");
    EXPECT_NE(after.find("HOST:<0x13>", toggled.size()), std::string::npos);
    EXPECT_EQ(h.link->trace.CommittedLength() + h.link->trace.PendingLength(), after.size());
}

// A device nobody may open; root opens it all the same, so the refusal is made
// in a child that gives up root for "nobody".
TEST(PortRefusal, TraceNamesTheRefusedDeviceAndItsGroupOnce) {
    constexpr int kCannotDropRoot = 20;
    constexpr int kOpensAnyway = 21;
    char path[] = "/tmp/vantrel-refused-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    chmod(path, 0);
    const std::string group = PortRefusalNotice::OwningGroup(path);
    ASSERT_FALSE(group.empty());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(kCannotDropRoot);
        const int probe = open(path, O_RDWR);
        if (probe >= 0) _exit(kOpensAnyway);
        CBoardLink link;
        link.SetComDevice(2, path);
        ScriptedPrompter prompter;
        EditorHooks editors;
        PortRefusalNotice refusals;
        int32_t connected = 0, busy = 0;
        SetupContext ctx{link, prompter, connected, busy, editors, refusals};
        if (OpenComForSelection(ctx, 2)) _exit(11);
        const int err = link.LastOpenError().code;
        if (err != EACCES && err != EPERM) _exit(12);
        OpenComForSelection(ctx, 2);
        const std::string text = link.trace.Text();
        if (text.find(PortRefusalNotice::RefusalLine(2, path)) == std::string::npos) _exit(13);
        if (text.find("\"" + group + "\"") == std::string::npos) _exit(14);
        if (text.find("COM 2") != text.rfind("COM 2")) _exit(15);  // once per device
        if (!prompter.messages.empty()) _exit(16);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    unlink(path);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kCannotDropRoot)
        GTEST_SKIP() << "running as root without the right to change user (setuid refused): no open can be refused";
    if (WEXITSTATUS(status) == kOpensAnyway)
        GTEST_SKIP() << "this process opens files regardless of their permissions (CAP_DAC_OVERRIDE): "
                        "no open can be refused";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A message box belongs to the window the user worked in, so that closing it
// leaves that window in front (Advanced Setup over the main window).
TEST(QtPrompterOwner, AMessageBelongsToTheWindowThatRaisedIt) {
    AppHarness h;
    MainWindow& main = h.app->Window();
    main.show();
    QDialog advancedSetup;  // modeless, no parent, as the menu's dialogs are
    advancedSetup.show();
    QtPrompter prompter(&main);
    // Shows a message and answers it once it is up; the window it belonged to.
    const auto ownerOfAMessage = [&prompter] {
        QWidget* owner = nullptr;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                owner = box->parentWidget();
                closer.stop();
                box->close();
            }
        });
        closer.start(1);
        prompter.Message("Communications established", kAppCaption);
        return owner;
    };
    for (QWidget* raiser : {static_cast<QWidget*>(&advancedSetup), static_cast<QWidget*>(&main)}) {
        raiser->activateWindow();
        ASSERT_TRUE(ixen_testing::WaitUntil([&] {
            QApplication::processEvents();
            return QApplication::activeWindow() == raiser;
        }));
        EXPECT_EQ(ownerOfAMessage(), raiser) << raiser->windowTitle().toStdString();
    }

    // A click in a window that the window manager did not make active makes it the owner all the same.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    main.activateWindow();
    ASSERT_TRUE(ixen_testing::WaitUntil([&] {
        QApplication::processEvents();
        return QApplication::activeWindow() == &main;
    }));
    QApplication::sendEvent(&advancedSetup, &press);
    EXPECT_EQ(ownerOfAMessage(), &advancedSetup);
}
