#include "net/http_client.h"

#include "system/sysutils.h"
#include "toolkit/application.h"

#include <QElapsedTimer>
#include <QObject>
#include <atomic>
#include <curl/curl.h>
#include <thread>

namespace {

// The connection and the reply share one time-out, which says the same whichever of them ran out.
const char* const kTimedOut = "Read timed out";

size_t append_body(char* data, size_t size, size_t count, void* body)
{
    static_cast<QByteArray*>(body)->append(data, qsizetype(size * count));
    return size * count;
}

} // namespace

// The easy handle keeps the cookies from one post to the next; the multi handle lets the
// worker wait on the network in steps it can cut short.
struct TIdHTTP::Worker {
    CURL* easy = curl_easy_init();
    CURLM* multi = curl_multi_init();
    std::thread thread;
    std::atomic<bool> abandon = false;
    // Receives the results on the GUI thread; gone with the client.
    QObject context;

    Worker() { curl_easy_setopt(easy, CURLOPT_COOKIEFILE, ""); }
    ~Worker()
    {
        abandon = true;
        curl_multi_wakeup(multi);
        if (thread.joinable())
            thread.join();
        curl_multi_cleanup(multi);
        curl_easy_cleanup(easy);
    }

    // Runs the transfer prepared on easy; the text of a failure, empty on success.
    QString transfer(int timeout_ms)
    {
        curl_multi_add_handle(multi, easy);
        QElapsedTimer idle;
        idle.start();
        curl_off_t moved = -1;
        QString error;
        for (int running = 1; running;) {
            curl_multi_perform(multi, &running);
            curl_off_t up = 0, down = 0;
            curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &up);
            curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &down);
            if (up + down != moved) {
                moved = up + down;
                idle.restart();
            }
            if (!running)
                break;
            if (abandon) {
                error = "Abandoned";
                break;
            }
            if (timeout_ms > 0 && idle.elapsed() >= timeout_ms) {
                error = kTimedOut;
                break;
            }
            const int wait = timeout_ms > 0 ? int(std::min<qint64>(100, timeout_ms - idle.elapsed())) : 100;
            curl_multi_poll(multi, nullptr, 0, std::max(wait, 1), nullptr);
        }
        if (error.isEmpty()) {
            int left = 0;
            while (CURLMsg* m = curl_multi_info_read(multi, &left))
                if (m->msg == CURLMSG_DONE && m->data.result == CURLE_OPERATION_TIMEDOUT)
                    error = kTimedOut;
                else if (m->msg == CURLMSG_DONE && m->data.result != CURLE_OK)
                    error = QString::fromUtf8(curl_easy_strerror(m->data.result));
        }
        curl_multi_remove_handle(multi, easy);
        return error;
    }
};

// The worker (and with it the TLS library's start) waits for the first post.
TIdHTTP::TIdHTTP() = default;

TIdHTTP::~TIdHTTP() = default;

void TIdHTTP::Post(const QString& url, const TIdMultiPartFormDataStream& form,
                   std::function<void(const TPostResult&)> done)
{
    if (busy_)
        throw Exception("A request is already under way");
    if (!worker_)
        worker_ = std::make_unique<Worker>();
    if (worker_->thread.joinable())
        worker_->thread.join();
    busy_ = true;

    CURL* easy = worker_->easy;
    curl_mime* mime = curl_mime_init(easy);
    for (const auto& [name, value] : form.Fields()) {
        curl_mimepart* part = curl_mime_addpart(mime);
        curl_mime_name(part, name.toUtf8().constData());
        const QByteArray data = value.toUtf8();
        curl_mime_data(part, data.constData(), size_t(data.size()));
    }
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, ("Accept: " + Accept).toUtf8().constData());
    headers = curl_slist_append(headers, "Connection: keep-alive");

    curl_easy_setopt(easy, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_MIMEPOST, mime);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, UserAgent.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(ReadTimeout));
    auto body = std::make_shared<QByteArray>();
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, append_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, body.get());

    const int timeout = ReadTimeout;
    Worker* worker = worker_.get();
    worker->thread = std::thread([this, worker, mime, headers, body, timeout, done = std::move(done)] {
        TPostResult result;
        result.Error = worker->transfer(timeout);
        long status = 0;
        curl_easy_getinfo(worker->easy, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_setopt(worker->easy, CURLOPT_MIMEPOST, nullptr);
        curl_easy_setopt(worker->easy, CURLOPT_HTTPHEADER, nullptr);
        curl_mime_free(mime);
        curl_slist_free_all(headers);
        if (result.Error.isEmpty() && (status < 200 || status > 299))
            result.Error = QString("HTTP/1.0 %1").arg(status);
        result.Ok = result.Error.isEmpty();
        if (result.Ok)
            result.Text = QString::fromUtf8(*body);
        if (worker->abandon)
            return;
        QMetaObject::invokeMethod(
            &worker->context,
            [this, result, done] {
                busy_ = false;
                Dispatch([&] { done(result); });
            },
            Qt::QueuedConnection);
    });
}
