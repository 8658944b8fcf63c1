// The advertising check against a loopback web service: the request on the wire, the replies
// that show or do not show the banner, failures, the banner's styling and the heart.
#include "app/Unit1.h"
#include "net/http_client.h"
#include "net/web_browser.h"
#include "support/program_fixture.h"
#include "support/recording_shell.h"
#include "support/wait.h"
#include "support/web_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

namespace {

class AdsCheckTest : WithTestApplication, public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start();
        Unit1::web_host = server.host();
    }
    // One tick of the minute timer, and the check's end.
    void tick_and_wait()
    {
        const auto before = server.requests().size();
        Form1->Timer1Timer(Form1->Timer1);
        ASSERT_TRUE(server.wait_for_requests(int(before) + 1));
        ASSERT_TRUE(wait_until([] { return !Form1->IdHTTP1->Busy(); }));
    }
    int checks() const
    {
        int n = 0;
        for (const WebRequest& r : server.requests())
            n += r.path == "/wedding/ads.php";
        return n;
    }
    bool heart_shown() const { return Form1->ads_img->Visible() && Form1->AdsTimer->Enabled(); }
    QVariant eval(const QString& script)
    {
        QVariant result;
        bool done = false;
        Form1->ads->ExecScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        wait_until([&] { return done; });
        return result;
    }

    WebServer server;
    RecordingShell shell;
};

TEST_F(AdsCheckTest, RequestOnTheWireAndCookiesComeBack)
{
    server.answer("/wedding/ads.php", {200, "no", "text/html", {{"Set-Cookie", "visit=7f3a; path=/"}}});
    tick_and_wait();
    tick_and_wait();

    const WebRequest& r = server.requests()[0];
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.path, "/wedding/ads.php");
    EXPECT_EQ(r.version, "HTTP/1.0");
    EXPECT_EQ(r.header("Host"), server.host().toLatin1());
    EXPECT_EQ(r.header("Accept"), "text/html, */*");
    EXPECT_EQ(r.header("User-Agent"), "Mozilla/3.0 (compatible)");
    EXPECT_EQ(r.header("Connection"), "keep-alive");
    EXPECT_TRUE(r.header("Content-Type").startsWith("multipart/form-data; boundary="));
    EXPECT_EQ(r.header("Content-Length").toInt(), r.body.size());
    using Field = QPair<QByteArray, QByteArray>;
    EXPECT_EQ(r.form_fields(), (QList<Field>{{"cmd", "check_ads_config"}, {"dummy", ""}}));
    EXPECT_FALSE(r.body.contains("filename="));
    EXPECT_EQ(r.header("Cookie"), "");
    EXPECT_EQ(server.requests()[1].header("Cookie"), "visit=7f3a");
    EXPECT_EQ(Unit1::web_url, "http://" + server.host() + "/wedding/ads.php");
    EXPECT_EQ(Unit1::ads_answer, "no");
}

TEST_F(AdsCheckTest, OnlyTheExactReplyWithSuccessShowsTheBanner)
{
    struct Case {
        int status;
        QByteArray body;
        bool banner;
    } cases[] = {
        {200, "advertisment_show", true},    {200, "advertisment_show\r\n", false},
        {200, "advertisment_show\n", false}, {200, "Advertisment_show", false},
        {200, " advertisment_show", false},  {200, "advertisement_show", false},
        {404, "advertisment_show", false},   {500, "advertisment_show", false},
        {201, "advertisment_show", true},
    };
    for (const Case& c : cases) {
        Form1->ads_panel->SetVisible(false);
        server.answer("/wedding/ads.php", {c.status, c.body});
        tick_and_wait();
        SCOPED_TRACE(c.body.toStdString() + " " + std::to_string(c.status));
        EXPECT_EQ(Form1->ads_panel->Visible(), c.banner);
        EXPECT_EQ(heart_shown(), c.banner);
        EXPECT_EQ(Unit1::ads_answer, c.status < 300 ? QString(c.body) : QString());
    }
}

TEST_F(AdsCheckTest, RefusedConnectionShowsNothingAndTheNextTickAsksAgain)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    Unit1::web_host = QString("127.0.0.1:%1").arg(port);
    Form1->Timer1Timer(Form1->Timer1);
    ASSERT_TRUE(wait_until([] { return !Form1->IdHTTP1->Busy(); }));
    EXPECT_FALSE(heart_shown());
    EXPECT_FALSE(Form1->ads_panel->Visible());
    EXPECT_TRUE(dialogs.boxes.empty());

    Unit1::web_host = server.host();
    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    tick_and_wait();
    EXPECT_TRUE(Form1->ads_panel->Visible());
}

TEST_F(AdsCheckTest, SilentHostKeepsTheWindowAnsweringAndStartsNoSecondCheck)
{
    server.answer("/wedding/ads.php", {200, "", "text/html", {}, true});
    Form1->Timer1Timer(Form1->Timer1);
    ASSERT_TRUE(server.wait_for_requests(1));
    // Events keep running meanwhile: a timer of the window's fires and repaints happen.
    int ticks = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { ++ticks; });
    probe.start(50);
    Form1->Timer1Timer(Form1->Timer1);
    EXPECT_TRUE(wait_until([&] { return ticks >= 5; }));
    EXPECT_TRUE(Form1->IdHTTP1->Busy());
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_FALSE(heart_shown());
    EXPECT_EQ(Form1->IdHTTP1->ReadTimeout, 30000);
}

TEST_F(AdsCheckTest, FirstCheckAfterOneIntervalAndNoneOnceTheBannerShows)
{
    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    server.answer("/wedding/banner.php", {200, "<html><body>banner</body></html>"});
    EXPECT_EQ(Form1->Timer1->Interval(), 60000);
    EXPECT_TRUE(Form1->Timer1->Enabled());
    EXPECT_FALSE(wait_until([&] { return !server.requests().isEmpty(); }, 300));

    Form1->Timer1->SetInterval(100);
    ASSERT_TRUE(wait_until([] { return Form1->ads_panel->Visible(); }));
    // The heart blinks, its click area stays; later ticks send nothing.
    QSet<bool> heart_phases;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1500) {
        heart_phases.insert(Form1->ads_gold_heart->Visible());
        EXPECT_TRUE(Form1->ads_img->Visible());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(heart_phases.size(), 2);
    EXPECT_EQ(checks(), 1);
    EXPECT_EQ(Form1->AdsTimer->Interval(), 500);
}

TEST_F(AdsCheckTest, BannerShowsWithoutBorderMarginsOrSideScrollAndPushesTheCardDown)
{
    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    server.answer("/wedding/banner.php",
                  {200,
                   "<html><body style='border: 4px solid blue; margin: 12px'>"
                   "<div style='width: 1500px; height: 40px; background: gold'>banner</div></body></html>"});
    const int card_top = Form1->display_panel->Top();
    tick_and_wait();
    ASSERT_TRUE(Form1->ads_panel->Visible());
    EXPECT_EQ(Form1->display_panel->Top(), card_top + 70);

    const QString style = "var s = getComputedStyle(document.body); "
                          "[location.pathname, s.borderTopStyle, s.marginTop, s.marginRight, s.marginBottom, "
                          "s.marginLeft, s.overflowX, s.overflowY].join(' ')";
    EXPECT_TRUE(wait_until([&] {
        return eval(style).toString() == "/wedding/banner.php none 0px 0px 0px 0px hidden auto";
    })) << eval(style).toString().toStdString();
    EXPECT_TRUE(Form1->ads->Visible());
    EXPECT_EQ(QRect(Form1->ads->Left(), Form1->ads->Top(), Form1->ads->Width(), Form1->ads->Height()),
              QRect(0, 0, 513, 70));
}

TEST_F(AdsCheckTest, RefusedBannerAddressLeavesThePanelHiddenAndChecksGoOn)
{
    server.answer("/wedding/ads.php", {200, "advertisment_show"});
    Form1->Timer1Timer(Form1->Timer1);
    // The host changes while the post is under way: the banner's address is then unusable.
    Unit1::web_host = "bad host";
    ASSERT_TRUE(wait_until([] { return !Form1->IdHTTP1->Busy(); }));
    EXPECT_TRUE(heart_shown());
    EXPECT_FALSE(Form1->ads_panel->Visible());
    EXPECT_TRUE(dialogs.boxes.empty());

    Unit1::web_host = server.host();
    tick_and_wait();
    EXPECT_EQ(checks(), 2);
    EXPECT_TRUE(Form1->ads_panel->Visible());
}

TEST_F(AdsCheckTest, HeartAndClickAreaOpenTheServicesPageInEitherBlinkPhase)
{
    Form1->ads_gold_heart->SetVisible(true);
    Form1->ads_img->SetVisible(true);
    QTest::mouseClick(Form1->ads_gold_heart->Handle(), Qt::LeftButton);
    Form1->ads_gold_heart->SetVisible(false);
    QTest::mouseClick(Form1->ads_img->Handle(), Qt::LeftButton);
    const QString page = "open http://" + server.host() + "/wedding/service.php 3";
    EXPECT_EQ(shell.calls.join(" | ").toStdString(), (page + " | " + page).toStdString());
}

} // namespace
