// The real program under an X server with a window manager, driven by keyboard and mouse as a
// user would: dialogs stay in front and go with the main window, the disabled main window
// ignores its close box, the menus open from the keyboard, the grid's menu opens at the pointer.
#include "support/program_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <X11/Xlib.h>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/prctl.h>

namespace {

bool poll(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (done())
            return true;
        QThread::msleep(50);
    }
    return done();
}

void stop(QProcess& p)
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
        for (QProcess* p : {&xvfb, &wm, &krv})
            p->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << "no X server with a window manager can be started: " << tool << " is missing";
        // A free display: the server picks it and tells its number.
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted() || !poll([&] {
                xvfb.waitForReadyRead(50);
                return xvfb.canReadLine();
            }))
            GTEST_SKIP() << "no X server can be started";
        display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        wm.setProcessEnvironment(env);
        wm.start("openbox", {});
        ASSERT_TRUE(poll([&] {
            return x("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        })) << "the window manager did not start";

        folder.sql("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500);");
        QFile::copy(KRV_EXE, folder.file("KRV"));
        QFile(folder.file("KRV")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment krv_env = env;
        krv_env.insert("XDG_RUNTIME_DIR", runtime.path()); // its single-instance record goes with the test
        krv.setProcessEnvironment(krv_env);
        krv.setWorkingDirectory(folder.path());
        krv.start(folder.file("KRV"), {});
        krvEnv = krv_env;
        ASSERT_TRUE(krv.waitForStarted());
        ASSERT_TRUE(poll([&] { return !(main = window("KAVRI Vivudoz 2011")).isEmpty(); }))
            << "the main window did not appear";
    }

    void TearDown() override
    {
        stop(krv);
        stop(wm);
        stop(xvfb);
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
    QString waitForWindow(const QString& title) const
    {
        QString id;
        poll([&] { return !(id = window(title)).isEmpty(); });
        return id;
    }
    static QString hex(const QString& id) { return "0x" + QString::number(id.toULong(), 16); }
    void key(const QString& keys) const
    {
        x("xdotool", QStringList{"key", "--clearmodifiers"} + keys.split(' '));
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

    // A second start of the program, which hands over to the first and ends.
    void startAgain() const
    {
        QProcess again;
        again.setProcessEnvironment(krvEnv);
        again.setWorkingDirectory(folder.path());
        again.start(folder.file("KRV"), {});
        ASSERT_TRUE(again.waitForFinished(20000)) << "the second start did not end";
    }
    QString transientFor(const QString& id) const { return x("xprop", {"-id", id, "WM_TRANSIENT_FOR"}); }

    ProgramFolder folder;
    QTemporaryDir runtime;
    QProcessEnvironment krvEnv;
    QProcess xvfb, wm, krv;
    QString display, main;
    QProcessEnvironment env;
};

TEST_F(Desktop, ADialogStaysInFrontOfTheMainWindowAndGoesWithIt)
{
    // Alt+H opens the Help menu even with the cursor in the search box.
    clickSearchBox();
    key("alt+h");
    ASSERT_TRUE(poll([&] { return !menu().isEmpty(); })) << "the Help menu did not open from the keyboard";
    key("Down Return");
    const QString about = waitForWindow("About: KAVRI Vivudoz");
    ASSERT_FALSE(about.isEmpty());
    EXPECT_TRUE(x("xprop", {"-id", about, "WM_TRANSIENT_FOR"}).endsWith(hex(main)));

    // A click on the disabled main window leaves the dialog in front.
    click(50, 900);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1000) {
        const QStringList order = stacking();
        ASSERT_GT(order.indexOf(hex(about)), order.indexOf(hex(main)))
            << "the dialog went behind the main window";
        QThread::msleep(50);
    }

    // Minimising either window takes the other with it; restoring the main window brings both back.
    for (const QString& which : {about, main}) {
        x("xdotool", {"windowminimize", which});
        EXPECT_TRUE(poll([&] { return state(main).contains("Iconic") && state(about).contains("Iconic"); }));
        x("xdotool", {"windowactivate", main});
        ASSERT_TRUE(poll([&] { return state(main).contains("Normal") && state(about).contains("Normal"); }));
    }
}

TEST_F(Desktop, TheDisabledMainWindowIgnoresItsCloseBox)
{
    key("ctrl+n");
    const QString dialog = waitForWindow("New");
    ASSERT_FALSE(dialog.isEmpty());
    click(50, 900);
    closeBox(main);
    key("Escape"); // after the close box: the dialog cancels and the main window is enabled again
    ASSERT_TRUE(poll([&] { return window("New").isEmpty(); }));
    EXPECT_FALSE(krv.waitForFinished(1000)) << "the program ended while a dialog was open";

    closeBox(main);
    EXPECT_TRUE(krv.waitForFinished(10000)) << "the enabled main window's close box did not end the program";
}

TEST_F(Desktop, TheOpenDialogKeepsTheKeyboardWhenTheMainWindowComesForward)
{
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a click on the main window", [&] { click(50, 900); }},
        {"a restore from minimised",
         [&] {
             x("xdotool", {"windowminimize", main});
             poll([&] { return state(main).contains("Iconic"); });
             x("xdotool", {"windowactivate", main});
             poll([&] { return state(main).contains("Normal"); });
         }},
        {"a second start", [&] { startAgain(); }},
    };
    for (const auto& [what, disturb] : cases) {
        SCOPED_TRACE(what);
        key("ctrl+n");
        const QString dialog = waitForWindow("New");
        ASSERT_FALSE(dialog.isEmpty());
        disturb();
        // The user types once the windows have settled.
        EXPECT_TRUE(poll([&] { return x("xdotool", {"getactivewindow"}) == dialog; }))
            << "the window manager's active window is " << x("xdotool", {"getactivewindow"}).toStdString();
        key("Escape");
        ASSERT_TRUE(poll([&] { return window("New").isEmpty(); })) << "the dialog did not take the key";
    }
}

TEST_F(Desktop, PreviewsBelongToTheMainWindow)
{
    // The card's and the report's previews; both bear the report system's preview title.
    for (const char* keys : {"ctrl+p", "alt+v Return"}) {
        SCOPED_TRACE(keys);
        key(keys);
        const QString preview = waitForWindow("Envelope card preview");
        ASSERT_FALSE(preview.isEmpty()) << "no preview opened";
        EXPECT_TRUE(transientFor(preview).endsWith(hex(main))) << transientFor(preview).toStdString();
        key("Escape");
        ASSERT_TRUE(poll([&] { return window("Envelope card preview").isEmpty(); }));
    }
}

TEST_F(Desktop, EveryMenuOpensFromTheKeyboard)
{
    clickSearchBox();
    for (const char* title : {"alt+f", "alt+e", "alt+v", "alt+h"}) {
        SCOPED_TRACE(title);
        key(title);
        EXPECT_TRUE(poll([&] { return !menu().isEmpty(); })) << "no menu opened";
        key("Escape Escape");
        ASSERT_TRUE(poll([&] { return menu().isEmpty(); }));
    }
}

TEST_F(Desktop, TheGridMenuOpensAtThePointer)
{
    click(900, 500, 3);
    QString shown;
    ASSERT_TRUE(poll([&] { return !(shown = menu()).isEmpty(); })) << "no menu opened";
    const QPoint at = origin(shown);
    EXPECT_LE((at - QPoint(900, 500)).manhattanLength(), 2) << at.x() << "," << at.y();
    key("Escape");
}

TEST_F(Desktop, TheMainWindowCannotBeMadeSmallerThanItsControlsNeed)
{
    const auto m = QRegularExpression(R"(minimum size: (\d+) by (\d+))")
                       .match(x("xprop", {"-id", main, "WM_NORMAL_HINTS"}));
    ASSERT_TRUE(m.hasMatch()) << "the window manager was told no minimum size";
    const QString smallest = m.captured(1) + "x" + m.captured(2);
    EXPECT_GT(m.captured(1).toInt(), 800);
    EXPECT_GT(m.captured(2).toInt(), 600);

    // Made smaller by hand, it stops at that size.
    unmaximize(main);
    ASSERT_TRUE(poll([&] { return !x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("MAXIMIZED"); }));
    x("xdotool", {"windowsize", main, "800", "600"});
    EXPECT_TRUE(poll([&] {
        return x("xdotool", {"getwindowgeometry", main}).contains("Geometry: " + smallest);
    })) << x("xdotool", {"getwindowgeometry", main}).toStdString();
}

} // namespace
