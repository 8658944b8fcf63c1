// The first banner under a window manager: the web view arrives while a dialog is open, and the
// main window must stay the very window the dialog belongs to, maximised as it was.
#include "desktop/desktop_fixture.h"
#include "support/web_server.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

class DesktopWithTheWebService : WithTestApplication, public Desktop {
protected:
    DesktopWithTheWebService()
    {
        server.answer("/wedding/ads.php", {200, "no"});
        // The picture is asked for once the engine shows the page.
        server.answer("/wedding/banner.php",
                      {200, "<body style='background:#fc0'>Banner<img src='/shown.png'>"});
        server.answer("/shown.png", {404});
        programVars["KRV_TEST_WEB_SERVICE"] = server.host();
    }
    bool requested(const QByteArray& path) const
    {
        for (const WebRequest& r : server.requests())
            if (r.path == path)
                return true;
        return false;
    }
    WebServer server;
};

TEST_F(DesktopWithTheWebService, TheFirstBannerLeavesTheMainWindowAndItsDialogAsTheyWere)
{
    ASSERT_TRUE(server.wait_for_requests(1, 30000)) << "the program did not ask the web service";
    ASSERT_TRUE(wait_until([&] {
        return x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("MAXIMIZED_VERT");
    }));
    key("ctrl+n");
    const QString dialog = waitForWindow("New");
    ASSERT_FALSE(dialog.isEmpty());

    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    ASSERT_TRUE(wait_until(
        [&] {
            server.wait_for_requests(int(server.requests().size()) + 1, 200);
            return requested("/shown.png");
        },
        60000))
        << "the banner was not shown";

    const QString now = window("KAVRI Vivudoz 2011");
    EXPECT_EQ(now.toStdString(), main.toStdString()) << "the main window was created anew";
    EXPECT_TRUE(x("xprop", {"-id", dialog, "WM_TRANSIENT_FOR"}).endsWith(hex(now)))
        << "the dialog belongs to a window that is gone";
    EXPECT_TRUE(x("xprop", {"-id", now, "_NET_WM_STATE"}).contains("MAXIMIZED_VERT"))
        << "the main window is no longer maximised";

    // A click on the disabled main window leaves the dialog in front.
    click(50, 900);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1000) {
        const QStringList order = stacking();
        ASSERT_GT(order.indexOf(hex(dialog)), order.indexOf(hex(now)))
            << "the dialog went behind the main window";
        QThread::msleep(50);
    }
}

} // namespace
