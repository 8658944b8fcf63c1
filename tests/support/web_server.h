#pragma once
// A small HTTP server on 127.0.0.1 for tests: it records every request and answers from a
// script (a reply per path, unknown paths get 404). It runs on the GUI thread's event loop,
// so tests let events run while they wait for it.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <memory>
#include <utility>

class QTcpServer;
class QTcpSocket;

struct WebRequest {
    QByteArray method, path, version;             // "POST", "/wedding/ads.php", "HTTP/1.0"
    QList<QPair<QByteArray, QByteArray>> headers; // in the order sent
    QByteArray body;

    // The first header of that name (any letter case); empty when absent.
    QByteArray header(const QByteArray& name) const;
    // The form fields of a multipart or URL-encoded body, in their order.
    QList<QPair<QByteArray, QByteArray>> form_fields() const;
};

struct WebReply {
    // Replies name only their first fields; as an aggregate that would warn of the others.
    WebReply(int status = 200, QByteArray body = {}, QByteArray content_type = "text/html",
             QList<QPair<QByteArray, QByteArray>> headers = {}, bool never_answer = false)
        : status(status), body(std::move(body)), content_type(std::move(content_type)),
          headers(std::move(headers)), never_answer(never_answer)
    {
    }
    int status;
    QByteArray body;
    QByteArray content_type;
    QList<QPair<QByteArray, QByteArray>> headers; // extra headers, e.g. Set-Cookie
    bool never_answer;                            // reads the request and keeps the connection open, silent
};

class WebServer {
public:
    WebServer();
    ~WebServer();
    quint16 port() const;
    // "127.0.0.1:<port>": what a test puts in place of the web host.
    QString host() const;

    // Every later request for path gets reply (path without its query is matched first).
    void answer(const QByteArray& path, const WebReply& reply);
    const QList<WebRequest>& requests() const { return requests_; }
    // Lets events run until count requests in all have arrived or ms have passed.
    bool wait_for_requests(int count, int ms = 10000) const;
    // Connections a client has opened and not yet closed.
    qsizetype open_connections() const { return pending_.size(); }

private:
    void read(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const WebRequest& request);
    std::unique_ptr<QTcpServer> server_;
    QMap<QByteArray, WebReply> replies_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QList<WebRequest> requests_;
};
