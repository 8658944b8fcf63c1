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
        key("ctrl+n");
        const QString dialog = waitForWindow("New");
        ASSERT_FALSE(dialog.isEmpty());
        disturb();
        // The user types once the windows have settled.
        EXPECT_TRUE(wait_until([&] { return x("xdotool", {"getactivewindow"}) == dialog; }))
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
    for (const char* keys : {"ctrl+p", "alt+v Return"}) {
        SCOPED_TRACE(keys);
        key(keys);
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
    ASSERT_TRUE(wait_until([&] {
        return !x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("MAXIMIZED");
    }));
    x("xdotool", {"windowsize", main, "800", "600"});
    EXPECT_TRUE(wait_until([&] {
        return x("xdotool", {"getwindowgeometry", main}).contains("Geometry: " + smallest);
    })) << x("xdotool", {"getwindowgeometry", main}).toStdString();
}

} // namespace
