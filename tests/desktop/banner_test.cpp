// The first banner under a window manager: the web view arrives while a dialog is open. The
// window system may give the main window a new native window then; the dialog must still belong
// to it, and the main window stay maximised.
#include "desktop/desktop_fixture.h"
#include "support/web_server.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

struct OpenDialog {
    const char* name;
    const char* keys;
    const char* title;
};
void PrintTo(const OpenDialog& d, std::ostream* os)
{
    *os << d.name;
}

class DesktopWithTheWebService : WithTestApplication,
                                 public Desktop,
                                 public ::testing::WithParamInterface<OpenDialog> {
protected:
    void SetUp() override
    {
        server.answer("/wedding/ads.php", {200, "no"});
        // The picture is asked for once the engine shows the page.
        server.answer("/wedding/banner.php",
                      {200, "<body style='background:#fc0'>Banner<img src='/shown.png'>"});
        server.answer("/shown.png", {404});
        programVars["KRV_TEST_WEB_SERVICE"] = server.host();
#if defined(__SANITIZE_ADDRESS__)
        // With whole allocation stacks the browser engine takes minutes to show the page, and the
        // graphics driver that it loads and unloads leaves allocations that no name can suppress:
        // the program is checked for faults here, not for leaks.
        programVars["ASAN_OPTIONS"] =
            qEnvironmentVariable("ASAN_OPTIONS") + ":fast_unwind_on_malloc=1:detect_leaks=0";
#endif
        folder.sql("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500);");
        Desktop::SetUp();
    }
    bool requested(const QByteArray& path) const
    {
        for (const WebRequest& r : server.requests())
            if (r.path == path)
                return true;
        return false;
    }
    // Lets the server answer while the condition is polled.
    bool serving_until(const std::function<bool()>& done, int ms = 30000)
    {
        return wait_until(
            [&] {
                server.wait_for_requests(int(server.requests().size()) + 1, 100);
                return done();
            },
            ms);
    }
    bool maximised(const QString& id) const
    {
        return x("xprop", {"-id", id, "_NET_WM_STATE"}).contains("_NET_WM_STATE_MAXIMIZED_VERT");
    }
    QString owner(const QString& id) const
    {
        return x("xprop", {"-id", id, "WM_TRANSIENT_FOR"});
    }
    WebServer server;
};

TEST_P(DesktopWithTheWebService, TheFirstBannerLeavesTheMainWindowMaximisedUnderItsDialog)
{
    ASSERT_TRUE(serving_until([&] { return requested("/wedding/ads.php"); }))
        << "the program did not ask the web service";
    ASSERT_TRUE(serving_until([&] { return maximised(main); }));
    key(GetParam().keys);
    const QString dialog = waitForWindow(GetParam().title);
    ASSERT_FALSE(dialog.isEmpty());

    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    ASSERT_TRUE(serving_until([&] { return requested("/shown.png"); }, 60000)) << "the banner was not shown";

    QString now;
    const bool settled = serving_until(
        [&] {
            now = window("KAVRI Vivudoz 2011");
            return owner(dialog).endsWith(hex(now)) && maximised(now);
        },
        10000);
    EXPECT_TRUE(settled) << "main window " << hex(main).toStdString() << ", now " << hex(now).toStdString()
                         << "; the dialog's " << owner(dialog).toStdString()
                         << "; maximised: " << maximised(now);

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

    // Minimising the main window takes its dialog with it.
    x("xdotool", {"windowminimize", now});
    EXPECT_TRUE(wait_until([&] { return state(now).contains("Iconic") && state(dialog).contains("Iconic"); }))
        << "the dialog stayed on the screen";
}

// One of the program's own dialogs, and a toolkit dialog that has the main window as parent.
INSTANTIATE_TEST_SUITE_P(Dialogs, DesktopWithTheWebService,
                         ::testing::Values(OpenDialog{"Form", "ctrl+n", "New"},
                                           OpenDialog{"Preview", "ctrl+p", "Envelope card preview"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
