#pragma once
// The real program under an X server with a window manager, driven by keyboard and mouse as a
// user would, in a program folder of its own.
#include "support/program_fixture.h"
#include "support/wait.h"

#include <QFile>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <X11/Xlib.h>
#include <csignal>
#include <functional>
#include <list>
#include <memory>
#include <sys/prctl.h>

inline void stop(QProcess& p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The servers and the program end with the test process, however it ends.
        endWithTheTest(wm);
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << "no X server with a window manager can be started: " << tool << " is missing";
        // Now and then, on a display that another test's server has just left, the window manager
        // cannot open the display and ends at once: such a start is tried again.
        QString failure;
        QStringList failures;
        for (int attempt = 0; attempt < 3; ++attempt) {
            failure = startDesktop();
            if (failure.isEmpty())
                break;
            failures << failure;
            // The failed attempt's server keeps its display until the test ends, so that the next
            // attempt is given another one.
            stop(wm);
        }
        if (failure == kNoServer)
            GTEST_SKIP() << "no X server can be started";
        ASSERT_TRUE(failure.isEmpty())
            << "the window manager did not start: " << failures.join("; ").toStdString();

        folder.install_program();
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        program_env = env;
        program_env.insert("XDG_RUNTIME_DIR",
                           runtime.path()); // its single-instance record goes with the test
        // The file dialogs keep their history there, not in the home folder.
        program_env.insert("XDG_CONFIG_HOME", config.path());
        for (auto it = programVars.cbegin(); it != programVars.cend(); ++it)
            program_env.insert(it.key(), it.value());
        start(krv);
        ASSERT_TRUE(wait_until([&] { return !(main = window("KAVRI Vivudoz 2011")).isEmpty(); }))
            << "the main window did not appear";
        // Keys typed before the window manager has handed it the keyboard would be lost.
        ASSERT_TRUE(wait_until([&] { return holdsTheKeyboard(main); }))
            << "the main window did not get the keyboard";
    }

    static void endWithTheTest(QProcess& p)
    {
        p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    }
    // Starts the program in its folder, as the desktop's launcher would.
    void start(QProcess& p)
    {
        endWithTheTest(p);
        p.setProcessEnvironment(program_env);
        p.setWorkingDirectory(folder.path());
        p.start(folder.file("KRV"), {});
        ASSERT_TRUE(p.waitForStarted());
    }

    static inline const QString kNoServer = "no X server";
    // An X server on a free display with the window manager on it; what went wrong, or "".
    QString startDesktop()
    {
        QProcess& xvfb = servers.emplace_back();
        endWithTheTest(xvfb);
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
        if (!xvfb.waitForStarted() || !wait_until([&] {
                xvfb.waitForReadyRead(50);
                return xvfb.canReadLine();
            }))
            return kNoServer;
        display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        wm.setProcessEnvironment(env);
        wm.start("openbox", wmArgs);
        // These tests run no event loop: only a wait on the window manager sees that it has ended,
        // and a window manager that ended at once would otherwise hold the test up to the deadline.
        const bool up = wait_until([&] {
            wm.waitForFinished(0);
            return wm.state() == QProcess::NotRunning ||
                   x("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        });
        if (up && wm.state() != QProcess::NotRunning)
            return {};
        return display + " " + QString::fromLocal8Bit(wm.readAllStandardError()).trimmed();
    }

    void TearDown() override
    {
        stop(krv);
        stop(wm);
        for (QProcess& server : servers)
            stop(server);
    }

    // Runs an X client on the test's display; its output.
    QString x(const QString& program, const QStringList& args) const
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    // The shown window with this title (no pattern characters), as a decimal id; empty when none.
    QString window(const QString& title) const
    {
        return x("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
    }
    // A shown menu of the program: its only window besides the main one while no dialog is open.
    QString menu() const
    {
        QStringList ids = x("xdotool", {"search", "--onlyvisible", "--classname", "krv"}).split('\n');
        ids.removeAll(main);
        ids.removeAll(QString());
        return ids.value(0);
    }
    // As the window manager sees it.
    bool holdsTheKeyboard(const QString& id) const { return x("xdotool", {"getactivewindow"}) == id; }
    QString waitForWindow(const QString& title) const
    {
        QString id;
        wait_until([&] { return !(id = window(title)).isEmpty(); });
        return id;
    }
    static QString hex(const QString& id) { return "0x" + QString::number(id.toULong(), 16); }
    void key(const QString& keys) const
    {
        x("xdotool", QStringList{"key", "--clearmodifiers"} + keys.split(' '));
    }
    // Keys for the main window, once it has the keyboard back from a dialog that has just closed.
    void keyToMain(const QString& keys) const
    {
        ASSERT_TRUE(wait_until([&] { return holdsTheKeyboard(main); }))
            << "the active window is " << x("xdotool", {"getactivewindow"}).toStdString();
        key(keys);
    }
    void click(int sx, int sy, int button = 1) const
    {
        x("xdotool",
          {"mousemove", QString::number(sx), QString::number(sy), "click", QString::number(button)});
    }
    // The window's top left corner on the screen, inside its frame.
    QPoint origin(const QString& id) const
    {
        const auto m =
            QRegularExpression(R"(Position: (\d+),(\d+))").match(x("xdotool", {"getwindowgeometry", id}));
        return {m.captured(1).toInt(), m.captured(2).toInt()};
    }
    // Windows from the bottom of the stack to the top.
    QStringList stacking() const
    {
        return x("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}).section('#', 1).remove(' ').split(',');
    }
    // A client message about a window, sent to the window itself or to the window manager.
    void message(const QString& id, const char* type, const std::function<void(Display*, long*)>& fill,
                 bool toWindowManager) const
    {
        Display* d = XOpenDisplay(display.toLatin1().constData());
        ASSERT_NE(d, nullptr);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = id.toULong();
        e.xclient.message_type = XInternAtom(d, type, False);
        e.xclient.format = 32;
        fill(d, e.xclient.data.l);
        if (toWindowManager)
            XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        else
            XSendEvent(d, id.toULong(), False, NoEventMask, &e);
        XCloseDisplay(d);
    }
    // What the window manager's close box sends.
    void closeBox(const QString& id) const
    {
        message(
            id, "WM_PROTOCOLS",
            [](Display* d, long* l) {
                l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
                l[1] = CurrentTime;
            },
            false);
    }
    void unmaximize(const QString& id) const
    {
        message(
            id, "_NET_WM_STATE",
            [](Display* d, long* l) {
                l[0] = 0; // remove
                l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False));
                l[2] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
                l[3] = 1; // from an application
            },
            true);
    }
    QString state(const QString& id) const { return x("xprop", {"-id", id, "WM_STATE"}); }
    // The search box, in the top bar below the menu.
    void clickSearchBox() const
    {
        const QPoint o = origin(main);
        click(o.x() + 660, o.y() + 65);
    }

    // Set before SetUp: the screen's size and depth, and the window manager's arguments.
    QString screen = "1280x1024x24";
    QStringList wmArgs;
    QMap<QString, QString> programVars; // added to the program's environment
    ProgramFolder folder;
    QTemporaryDir runtime, config;
    std::list<QProcess> servers; // the X server in use last
    QProcess wm, krv;
    QString display, main;
    QProcessEnvironment env, program_env;
};
