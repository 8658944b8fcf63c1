// The compose: the page's lines as the browser gets them, and the form posted to a web server
// on loopback from a browser window of our own.
#include "email_dialog_fixture.h"
#include "online/load_html_form.h"
#include "support/wait.h"
#include "support/web_server.h"

#include <QFile>
#include <QTest>
#include <QWidget>

namespace {

TEST(CrlfLines, EveryKindOfLineEndBecomesCrLf)
{
    struct Case {
        QByteArray text, stream;
    };
    for (const Case& c : {
             Case{"", ""},
             Case{"a", "a\r\n"},
             Case{"a\rb\r", "a\r\nb\r\n"},
             Case{"a\nb\r\nc", "a\r\nb\r\nc\r\n"},
             Case{"a\n\rb", "a\r\n\r\nb\r\n"},
             Case{"\r\r\n", "\r\n\r\n"},
         })
        EXPECT_EQ(crlf_lines(c.text), c.stream) << c.text.toStdString();
}

class EmailComposeTest : public EmailDialogTest {
protected:
    void SetUp() override
    {
        EmailDialogTest::SetUp();
        // Made once the application exists: the server listens on its event loop.
        server = std::make_unique<WebServer>();
        server->answer("/wedding/email.php",
                       {200, "<html><head><title>Compose started</title></head><body></body></html>"});
    }
    void TearDown() override
    {
        for (QWidget* w : TWebBrowser::PopupWindows())
            delete w;
        EmailDialogTest::TearDown();
    }
    void start_with(const QString& seed)
    {
        EmailDialogTest::start_with(seed);
        Unit1::web_host = server->host();
    }
    // The title of a window of our own once it is the expected one, or when time is up; the
    // address stands in for it while the page loads.
    static QString shown_title(QWidget* window, const QString& expected)
    {
        wait_until([&] { return window->windowTitle() == expected; }, 20000);
        return window->windowTitle();
    }

    // The requests for the e-mail form, leaving aside what else a browser may ask for.
    QList<WebRequest> posts() const
    {
        QList<WebRequest> out;
        for (const WebRequest& r : server->requests())
            if (r.path == "/wedding/email.php")
                out << r;
        return out;
    }
    bool wait_for_posts(qsizetype count) const
    {
        return wait_until([&] { return posts().size() >= count; }, 30000);
    }

    std::unique_ptr<WebServer> server;
};

TEST_F(EmailComposeTest, ComposeStoresTheAddressTrimmedInLowerCaseAndHandsOverThePage)
{
    start_with(
        "INSERT INTO member (userid, name, lastname, email) VALUES (1, 'Ann', 'Lee', 'old@example.com');");
    open_email(1);
    Form8->email->SetText(" \tAnn.Lee@Example.COM  ");
    QTest::keyClick(Form8->email->Handle(), Qt::Key_Return);
    // Closed at once, before the web host has seen anything.
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
    expect_closed();
    EXPECT_EQ(stored(1, "email"), "ann.lee@example.com");
    EXPECT_EQ(Form1->ADOQuery1->FieldByName("email")->AsString(), "ann.lee@example.com");
    EXPECT_EQ(Unit1::web_url, "http://" + server->host() + "/wedding/email.php");

    QFile fixture(QString(KRV_SOURCE_DIR) + "/tests/online/fixtures/email_page.txt");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    // The fixture's lines end with a line feed; the page's with a carriage return alone.
    const QByteArray page = fixture.readAll().replace("www.example.test", server->host().toLatin1());
    EXPECT_EQ(Unit8::html_text, QByteArray(page).replace('\n', '\r'));

    open_email(1);
    EXPECT_EQ(Form8->email->Text(), "ann.lee@example.com");
    Form8->Button2->Click();
}

TEST_F(EmailComposeTest, FormIsPostedFromAWindowOfOurOwnThatShowsTheReply)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    const QList<QByteArray> addresses = {"ann.lee@example.com", "a_b-c@mail.example.org"};
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        SCOPED_TRACE(addresses[i].toStdString());
        open_email(1);
        Form8->email->SetText(addresses[i]);
        Form8->Button1->Click();
        expect_closed();
        ASSERT_TRUE(wait_for_posts(i + 1));
        const WebRequest r = posts().last(); // posts() is a copy
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(r.body, "cmd=email_compose&email=" + QByteArray(addresses[i]).replace("@", "%40"));
        EXPECT_EQ(r.form_fields(),
                  (QList<QPair<QByteArray, QByteArray>>{{"cmd", "email_compose"}, {"email", addresses[i]}}));
        ASSERT_EQ(TWebBrowser::PopupWindows().size(), i + 1);
        QWidget* reply = TWebBrowser::PopupWindows().last();
        EXPECT_TRUE(reply->isVisible());
        EXPECT_EQ(shown_title(reply, "Compose started"), "Compose started");
    }
    // One post per compose, no more.
    EXPECT_EQ(posts().size(), addresses.size());
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

} // namespace
