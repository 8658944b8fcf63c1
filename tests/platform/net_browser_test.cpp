// The embedded browser: lazy engine, navigation, document-complete, body style, pages from
// bytes and the windows that pages open.
#include "net/browser_engine.h"
#include "net/web_browser.h"
#include "support/program_fixture.h"
#include "support/wait.h"
#include "support/web_server.h"
#include "system/sysutils.h"
#include "toolkit/forms.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

namespace {

// The browser engine takes its time, more so on a loaded machine.
constexpr int kEngineMs = 20000;

class BrowserTest : WithTestApplication, public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetBounds(0, 0, 600, 200);
        form.Show();
        browser = new TWebBrowser(&form);
        browser->SetBounds(0, 0, 513, 70);
        browser->OnDocumentComplete = [this](TObject*, const QString& url) { completed.append(url); };
    }
    void TearDown() override
    {
        for (QWidget* w : TWebBrowser::PopupWindows())
            delete w;
    }

    QVariant eval(const QString& script)
    {
        QVariant result;
        bool done = false;
        browser->ExecScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        wait_until([&] { return done; }, kEngineMs);
        return result;
    }

    TForm form;
    TWebBrowser* browser;
    QStringList completed;
    WebServer server;
};

TEST_F(BrowserTest, EngineStartsWithTheFirstNavigationAndEachDocumentCompletes)
{
    EXPECT_TRUE(browser->Handle()->findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(browser->ReadyState(), READYSTATE_UNINITIALIZED);

    browser->Navigate("about:blank");
    EXPECT_EQ(browser->ReadyState(), READYSTATE_LOADING);
    ASSERT_TRUE(wait_until([&] { return completed.size() == 1; }, kEngineMs));
    EXPECT_EQ(completed[0], "about:blank");
    EXPECT_EQ(browser->ReadyState(), READYSTATE_COMPLETE);

    server.answer("/page", {200, "<html><body><p>served</p></body></html>"});
    const QString url = "http://" + server.host() + "/page";
    browser->Navigate(url);
    ASSERT_TRUE(wait_until([&] { return completed.size() == 2; }, kEngineMs));
    EXPECT_EQ(completed[1], url);
    EXPECT_EQ(eval("document.body.innerText").toString(), "served");
}

TEST_F(BrowserTest, AddressTheBrowserCannotTakeRaises)
{
    for (const QString& url : {QString("http://bad host/page"), QString("no address"), QString()})
        EXPECT_THROW(browser->Navigate(url), Exception) << url.toStdString();
}

TEST_F(BrowserTest, BodyStyleSettingsApplyInOrder)
{
    server.answer("/wide", {200, "<html><body style='border: 5px solid red; margin: 20px'>"
                                 "<div style='width: 2000px; height: 300px'>wide</div></body></html>"});
    browser->Navigate("http://" + server.host() + "/wide");
    ASSERT_TRUE(wait_until([&] { return completed.size() == 1; }, kEngineMs));
    browser->SetBodyStyle("borderStyle", "none");
    browser->SetBodyStyle("marginLeft", "0");
    browser->SetBodyStyle("overflowX", "hidden");
    browser->SetBodyStyle("overflowX", "scroll");
    const QString style = "var s = getComputedStyle(document.body); "
                          "[s.borderTopStyle, s.marginLeft, s.marginTop, s.overflowX].join(' ')";
    EXPECT_EQ(eval(style).toString(), "none 0px 20px scroll");
}

TEST_F(BrowserTest, PageFromBytesSubmitsItsFormIntoAWindowOfOurOwn)
{
    server.answer("/form.php", {200, "<html><body>thanks</body></html>"});
    const QByteArray page = "<html><body onload=\"document.f.submit();\">\r\n"
                            "<form name=\"f\" method=\"post\" action=\"http://" +
                            server.host().toLatin1() +
                            "/form.php\" target=\"_blank\">\r\n"
                            "<input type=\"hidden\" name=\"cmd\" value=\"go\" />\r\n"
                            "<input type=\"hidden\" name=\"email\" value=\"a.b@example.org\" />\r\n"
                            "</form></body></html>\r\n";
    browser->Navigate("about:blank");
    ASSERT_TRUE(wait_until([&] { return browser->ReadyState() == READYSTATE_COMPLETE; }, kEngineMs));
    browser->LoadFromStream(page);

    ASSERT_TRUE(server.wait_for_requests(1, 20000));
    const WebRequest& r = server.requests()[0];
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.path, "/form.php");
    EXPECT_EQ(r.header("Content-Type"), "application/x-www-form-urlencoded");
    using Field = QPair<QByteArray, QByteArray>;
    EXPECT_EQ(r.form_fields(), (QList<Field>{{"cmd", "go"}, {"email", "a.b@example.org"}}));
    ASSERT_EQ(TWebBrowser::PopupWindows().size(), 1);
    EXPECT_TRUE(TWebBrowser::PopupWindows()[0]->isVisible());
}

// A program folder without the engine's library, or with a broken one, says why it cannot browse.
TEST(BrowserEngineLibrary, OneThatCannotBeLoadedRaisesWithTheReason)
{
    QTemporaryDir folder;
    const QString broken = folder.filePath("libkrv_browser_engine.so");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    const QString missing = folder.filePath("missing/libkrv_browser_engine.so");
    for (const QString& path : {missing, broken}) {
        try {
            load_browser_engine(path);
            ADD_FAILURE() << "loaded " << path.toStdString();
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().startsWith("The browser cannot start: ")) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
        }
    }
}

} // namespace
