#pragma once
// HTTP client: posts multipart forms over HTTP/1.0 without a proxy and keeps the cookies that
// servers set for as long as the client lives. A post runs on a worker thread and reports back
// on the GUI thread, so the window never waits for the network.
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The text fields of a multipart form, sent in the order they were added.
class TIdMultiPartFormDataStream {
public:
    void AddFormField(const QString& name, const QString& value) { fields_.emplace_back(name, value); }
    const std::vector<std::pair<QString, QString>>& Fields() const { return fields_; }

private:
    std::vector<std::pair<QString, QString>> fields_;
};

// How a post ended: Ok with the reply's body for a 2xx reply; otherwise Error says why.
struct TPostResult {
    bool Ok = false;
    QString Text;
    QString Error;
};

class TIdHTTP {
public:
    TIdHTTP();
    // A post still under way is abandoned: its done never runs.
    ~TIdHTTP();
    TIdHTTP(const TIdHTTP&) = delete;
    TIdHTTP& operator=(const TIdHTTP&) = delete;

    QString Accept;
    QString UserAgent;
    // Milliseconds allowed for the connection and for each wait on the reply; 0 waits forever.
    int ReadTimeout = 0;

    // Starts posting form to url; done runs later on the GUI thread. Fails as a result (never
    // raises) for anything but a 2xx reply: a refused or broken connection, the time-out, another
    // status. Raises Exception while another post is under way.
    void Post(const QString& url, const TIdMultiPartFormDataStream& form,
              std::function<void(const TPostResult&)> done);
    bool Busy() const { return busy_; }

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
    bool busy_ = false;
};
