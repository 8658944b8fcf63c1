// The real program under an X server with a window manager, driven by keyboard and mouse as a
// user would: dialogs stay in front and go with the main window, the disabled main window
// ignores its close box, the menus open from the keyboard, the grid's menu opens at the pointer.
#include "desktop/desktop_fixture.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

TEST_F(Desktop, ADialogStaysInFrontOfTheMainWindowAndGoesWithIt)
{
    // Alt+H opens the Help menu even with the cursor in the search box.
    clickSearchBox();
    key("alt+h");
    ASSERT_TRUE(wait_until([&] { return !menu().isEmpty(); }))
        << "the Help menu did not open from the keyboard";
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
        EXPECT_TRUE(
            wait_until([&] { return state(main).contains("Iconic") && state(about).contains("Iconic"); }));
        x("xdotool", {"windowactivate", main});
        ASSERT_TRUE(
            wait_until([&] { return state(main).contains("Normal") && state(about).contains("Normal"); }));
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
    ASSERT_TRUE(wait_until([&] { return window("New").isEmpty(); }));
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
             wait_until([&] { return state(main).contains("Iconic"); });
             x("xdotool", {"windowactivate", main});
             wait_until([&] { return state(main).contains("Normal"); });
         }},
        {"a second start",
         [&] {
             QProcess again;
             start(again);
             ASSERT_TRUE(again.waitForFinished(20000)) << "the second start did not end";
         }},
    };
    for (const auto& [what, disturb] : cases) {
        SCOPED_TRACE(what);
        keyToMain("ctrl+n");
        const QString dialog = waitForWindow("New");
        ASSERT_FALSE(dialog.isEmpty());
        disturb();
        // The user types once the windows have settled.
        EXPECT_TRUE(wait_until([&] { return holdsTheKeyboard(dialog); }))
            << "the window manager's active window is " << x("xdotool", {"getactivewindow"}).toStdString();
        key("Escape");
        ASSERT_TRUE(wait_until([&] { return window("New").isEmpty(); })) << "the dialog did not take the key";
    }
}

class DesktopWithAGuest : public Desktop {
protected:
    void SetUp() override
    {
        folder.sql("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500);");
        Desktop::SetUp();
    }
};

TEST_F(DesktopWithAGuest, PreviewsBelongToTheMainWindow)
{
    // The card's and the report's previews; both bear the report system's preview title.
    // The menu's entry is chosen once the menu is shown: a key before that may go to no menu.
    const std::pair<const char*, const char*> cases[] = {{"ctrl+p", nullptr}, {"alt+v", "Return"}};
    for (const auto& [keys, inMenu] : cases) {
        SCOPED_TRACE(keys);
        keyToMain(keys);
        if (inMenu) {
            ASSERT_TRUE(wait_until([&] { return !menu().isEmpty(); })) << "no menu opened";
            key(inMenu);
        }
        const QString preview = waitForWindow("Envelope card preview");
        ASSERT_FALSE(preview.isEmpty()) << "no preview opened";
        const QString owner = x("xprop", {"-id", preview, "WM_TRANSIENT_FOR"});
        EXPECT_TRUE(owner.endsWith(hex(main))) << owner.toStdString();
        key("Escape");
        ASSERT_TRUE(wait_until([&] { return window("Envelope card preview").isEmpty(); }));
    }
}

TEST_F(Desktop, EveryMenuOpensFromTheKeyboard)
{
    clickSearchBox();
    for (const char* title : {"alt+f", "alt+e", "alt+v", "alt+h"}) {
        SCOPED_TRACE(title);
        key(title);
        EXPECT_TRUE(wait_until([&] { return !menu().isEmpty(); })) << "no menu opened";
        key("Escape Escape");
        ASSERT_TRUE(wait_until([&] { return menu().isEmpty(); }));
    }
}

TEST_F(Desktop, TheGridMenuOpensAtThePointer)
{
    click(900, 500, 3);
    QString shown;
    ASSERT_TRUE(wait_until([&] { return !(shown = menu()).isEmpty(); })) << "no menu opened";
    const QPoint at = origin(shown);
    EXPECT_LE((at - QPoint(900, 500)).manhattanLength(), 2) << at.x() << "," << at.y();
    key("Escape");
}

// Small screens: the maximised main window fits the screen beside a panel, so its scrolling
// client area keeps every control within reach.
class SmallScreen : public Desktop {
protected:
    void startOn(const QString& size, int panel)
    {
        screen = size + "x24";
        // The panel: a bottom margin that the window manager keeps free.
        QFile rc(config.filePath("rc.xml"));
        ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
        rc.write(QString("<?xml version=\"1.0\"?><openbox_config xmlns=\"http://openbox.org/3.4/rc\">"
                         "<margins><top>0</top><bottom>%1</bottom><left>0</left><right>0</right></margins>"
                         "</openbox_config>")
                     .arg(panel)
                     .toUtf8());
        rc.close();
        wmArgs = {"--config-file", rc.fileName()};
        Desktop::SetUp();
    }
    void SetUp() override {}
    // The window with its frame is no larger than the free part of the screen.
    void expectTheWindowWithin(int width, int height) const
    {
        ASSERT_TRUE(wait_until([&] {
            return x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("MAXIMIZED");
        }));
        const QString size = x("xdotool", {"getwindowgeometry", main});
        const QString frame = x("xprop", {"-id", main, "_NET_FRAME_EXTENTS"});
        const auto s = QRegularExpression(R"(Geometry: (\d+)x(\d+))").match(size);
        const auto f = QRegularExpression(R"(= (\d+), (\d+), (\d+), (\d+))").match(frame);
        ASSERT_TRUE(s.hasMatch() && f.hasMatch()) << size.toStdString() << frame.toStdString();
        const auto n = [](const QRegularExpressionMatch& m, int i) { return m.captured(i).toInt(); };
        EXPECT_LE(n(f, 1) + n(s, 1) + n(f, 2), width) << size.toStdString() << frame.toStdString();
        EXPECT_LE(n(f, 3) + n(s, 2) + n(f, 4), height) << size.toStdString() << frame.toStdString();
    }
};

TEST_F(SmallScreen, TheWindowFitsA1024x600Screen)
{
    ASSERT_NO_FATAL_FAILURE(startOn("1024x600", 0));
    if (IsSkipped())
        return;
    expectTheWindowWithin(1024, 600);
}

TEST_F(SmallScreen, TheWindowFitsA1280x720ScreenWithAPanel)
{
    ASSERT_NO_FATAL_FAILURE(startOn("1280x720", 32));
    if (IsSkipped())
        return;
    expectTheWindowWithin(1280, 720 - 32);
}

} // namespace
