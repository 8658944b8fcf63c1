// The HTTP client's replies and failures, its read time-out and a post abandoned with its client.
#include "net/http_client.h"
#include "support/program_fixture.h"
#include "support/wait.h"
#include "support/web_server.h"
#include "system/sysutils.h"

#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class HttpTest : WithTestApplication, public ::testing::Test {
protected:
    // Posts one field to path and waits for the end.
    TPostResult post(const QString& path)
    {
        TIdMultiPartFormDataStream form;
        form.AddFormField("cmd", "x");
        std::optional<TPostResult> result;
        http.Post("http://" + server.host() + path, form, [&](const TPostResult& r) { result = r; });
        wait_until([&] { return result.has_value(); });
        return result.value_or(TPostResult{false, {}, "no result"});
    }

    WebServer server;
    TIdHTTP http;
};

TEST_F(HttpTest, RepliesAndStatuses)
{
    server.answer("/ok", {200, "fine"});
    server.answer("/created", {201, "made"});
    server.answer("/moved", {302, "elsewhere", "text/html", {{"Location", "/ok"}}});
    server.answer("/broken", {500, "fine"});
    struct Case {
        const char* path;
        bool ok;
        const char* text;
    } cases[] = {{"/ok", true, "fine"},
                 {"/created", true, "made"},
                 {"/moved", false, ""},
                 {"/broken", false, ""},
                 {"/missing", false, ""}};
    for (const Case& c : cases) {
        const TPostResult r = post(c.path);
        EXPECT_EQ(r.Ok, c.ok) << c.path << " " << r.Error.toStdString();
        EXPECT_EQ(r.Text, c.text) << c.path;
        EXPECT_EQ(r.Error.isEmpty(), c.ok) << c.path;
    }
    EXPECT_EQ(server.requests().size(), 5);
}

TEST_F(HttpTest, SilentServerFailsAfterTheReadTimeOut)
{
    server.answer("/silent", {200, "", "text/html", {}, true});
    http.ReadTimeout = 400;
    QElapsedTimer t;
    t.start();
    // A post that never ended would come back as "no result" from the wait's deadline.
    const TPostResult r = post("/silent");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error.toStdString(), "Read timed out");
    EXPECT_GE(t.elapsed(), 400);
    EXPECT_FALSE(http.Busy());
    EXPECT_TRUE(wait_until([&] { return server.open_connections() == 0; }));
}

TEST_F(HttpTest, ConnectionThatIsNeverTakenFailsAfterTheReadTimeOut)
{
    // A listener whose queue is full: further connections wait unanswered.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 3; ++i) {
        fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), length);
    }
    http.ReadTimeout = 400;
    QElapsedTimer t;
    t.start();
    std::optional<TPostResult> result;
    http.Post(QString("http://127.0.0.1:%1/").arg(ntohs(address.sin_port)), {},
              [&](const TPostResult& r) { result = r; });
    ASSERT_TRUE(wait_until([&] { return result.has_value(); }));
    EXPECT_FALSE(result->Ok);
    EXPECT_EQ(result->Error.toStdString(), "Read timed out");
    EXPECT_GE(t.elapsed(), 400);
    for (int fd : fillers)
        close(fd);
    close(listener);
}

TEST_F(HttpTest, SecondPostWhileOneIsUnderWayRaisesAndAClientGoneAbandonsItsPost)
{
    server.answer("/silent", {200, "", "text/html", {}, true});
    auto client = std::make_unique<TIdHTTP>();
    bool called = false;
    const QString url = "http://" + server.host() + "/silent";
    client->Post(url, {}, [&](const TPostResult&) { called = true; });
    EXPECT_TRUE(client->Busy());
    EXPECT_THROW(client->Post(url, {}, [](const TPostResult&) {}), Exception);
    ASSERT_TRUE(server.wait_for_requests(1));
    // Without a read time-out the post would wait for ever: the client's end cuts it and closes
    // its connection, rather than waiting for it or leaving it running.
    client.reset();
    EXPECT_TRUE(wait_until([&] { return server.open_connections() == 0; }));
    EXPECT_FALSE(called);
}

} // namespace
