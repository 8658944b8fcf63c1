#include "support/web_server.h"

#include "support/wait.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

QByteArray WebRequest::header(const QByteArray& name) const
{
    for (const auto& [n, v] : headers)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

QList<QPair<QByteArray, QByteArray>> WebRequest::form_fields() const
{
    QList<QPair<QByteArray, QByteArray>> fields;
    const QByteArray type = header("Content-Type");
    const int b = type.indexOf("boundary=");
    if (b < 0) {
        for (const auto& [n, v] : QUrlQuery(QString::fromLatin1(body)).queryItems(QUrl::FullyDecoded))
            fields.append({n.toUtf8(), v.toUtf8()});
        return fields;
    }
    const QByteArray delimiter = "--" + type.mid(b + 9);
    qsizetype at = body.indexOf(delimiter);
    while (at >= 0) {
        const qsizetype start = at + delimiter.size() + 2; // past the delimiter's line break
        const qsizetype next = body.indexOf("\r\n" + delimiter, start);
        if (next < 0)
            break;
        const QByteArray part = body.mid(start, next - start);
        const qsizetype split = part.indexOf("\r\n\r\n");
        const QByteArray head = part.left(split);
        const qsizetype n = head.indexOf("name=\"");
        if (split >= 0 && n >= 0) {
            const qsizetype end = head.indexOf('"', n + 6);
            fields.append({head.mid(n + 6, end - n - 6), part.mid(split + 4)});
        }
        at = next + 2;
    }
    return fields;
}

WebServer::WebServer() : server_(std::make_unique<QTcpServer>())
{
    server_->listen(QHostAddress::LocalHost);
    QObject::connect(server_.get(), &QTcpServer::newConnection, server_.get(), [this] {
        while (QTcpSocket* s = server_->nextPendingConnection()) {
            pending_[s] = {};
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
            QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
                pending_.remove(s);
                s->deleteLater();
            });
        }
    });
}

WebServer::~WebServer()
{
    // Open connections go with the server and must not call back into a half-destroyed one.
    for (QTcpSocket* s : pending_.keys())
        s->disconnect();
    server_.reset();
}

quint16 WebServer::port() const
{
    return server_->serverPort();
}

QString WebServer::host() const
{
    return QString("127.0.0.1:%1").arg(port());
}

void WebServer::answer(const QByteArray& path, const WebReply& reply)
{
    replies_[path] = reply;
}

bool WebServer::wait_for_requests(int count, int ms) const
{
    return wait_until([&] { return requests_.size() >= count; }, ms);
}

void WebServer::read(QTcpSocket* socket)
{
    QByteArray& data = pending_[socket];
    data += socket->readAll();
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    WebRequest r;
    const QList<QByteArray> lines = data.left(end).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r.method = first.value(0);
    r.path = first.value(1);
    r.version = first.value(2);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            r.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    const qsizetype length = r.header("Content-Length").toLongLong();
    if (data.size() < end + 4 + length)
        return;
    r.body = data.mid(end + 4, length);
    data.clear();
    requests_.append(r);
    respond(socket, r);
}

void WebServer::respond(QTcpSocket* socket, const WebRequest& request)
{
    const QByteArray path = request.path.left(request.path.indexOf('?'));
    WebReply reply;
    if (replies_.contains(request.path))
        reply = replies_[request.path];
    else if (replies_.contains(path))
        reply = replies_[path];
    else
        reply = WebReply{404, "Not found", "text/plain", {}, false};
    if (reply.never_answer)
        return;
    QByteArray out = "HTTP/1.0 " + QByteArray::number(reply.status) + " Status\r\n";
    out += "Content-Type: " + reply.content_type + "\r\n";
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    for (const auto& [n, v] : reply.headers)
        out += n + ": " + v + "\r\n";
    out += "Connection: close\r\n\r\n" + reply.body;
    socket->write(out);
    socket->disconnectFromHost();
}
