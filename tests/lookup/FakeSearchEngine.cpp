#include "FakeSearchEngine.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace {

struct Page
{
    const char* path;
    const char* title;
};

// Every page links to the others, so a test can browse as a user would.
constexpr Page kPages[] = {
    {"/", "Engine home"}, {"/search", "Search results"}, {"/a", "Page A"}, {"/A", "Page capital A"},
    {"/b", "Page B"},     {"/slow", "Slow page"},
};

QByteArray pageBody(const char* title)
{
    QByteArray body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>";
    body += title;
    body += "</title></head><body><h1>";
    body += title;
    body += "</h1>";
    for (const Page& page : kPages)
        body += QByteArray("<p><a href=\"") + page.path + "\">" + page.title + "</a></p>";
    return body + "</body></html>";
}

} // namespace

FakeSearchEngine::FakeSearchEngine() : server_(new QTcpServer(this))
{
    if (!server_->listen(QHostAddress::LocalHost, 0))
        qFatal("The stand-in search engine cannot listen: %s", qPrintable(server_->errorString()));
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

FakeSearchEngine::~FakeSearchEngine() = default;

QUrl FakeSearchEngine::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_->serverPort()).arg(path));
}

int FakeSearchEngine::hits(const QByteArray& path) const
{
    return static_cast<int>(std::count_if(requests.cbegin(), requests.cend(),
                                          [&](const Request& r) { return r.path == path; }));
}

FakeSearchEngine::Request FakeSearchEngine::lastRequest(const QByteArray& path) const
{
    for (auto it = requests.crbegin(); it != requests.crend(); ++it) {
        if (it->path == path)
            return *it;
    }
    return {};
}

QList<QPair<QString, QString>> FakeSearchEngine::formFields(const QByteArray& query)
{
    QList<QPair<QString, QString>> fields;
    const auto decode = [](QByteArray text) {
        text.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
    };
    for (const QByteArray& field : query.split('&')) {
        const qsizetype equals = field.indexOf('=');
        fields.append({decode(field.left(equals)),
                       decode(equals < 0 ? QByteArray() : field.mid(equals + 1))});
    }
    return fields;
}

void FakeSearchEngine::readRequest(QTcpSocket* socket)
{
    QByteArray buffer = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", buffer);
    if (!buffer.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);

    // "GET /path?query HTTP/1.1"
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    const QByteArray target = requestLine.value(1);
    const qsizetype question = target.indexOf('?');
    Request request{question < 0 ? target : target.left(question),
                    question < 0 ? QByteArray() : target.mid(question + 1)};
    requests.append(request);

    if (request.path == "/slow") {
        QTimer::singleShot(slowPageDelayMs, this,
                           [this, guarded = QPointer<QTcpSocket>(socket), path = request.path] {
                               if (guarded != nullptr)
                                   answer(guarded, path);
                           });
    } else {
        answer(socket, request.path);
    }
}

void FakeSearchEngine::answer(QTcpSocket* socket, const QByteArray& path)
{
    QByteArray status = "404 Not Found";
    QByteArray body = "<html><head><title>Not found</title></head><body>Not found</body></html>";
    for (const Page& page : kPages) {
        if (path == page.path) {
            status = "200 OK";
            body = pageBody(page.title);
        }
    }
    socket->write("HTTP/1.1 " + status +
                  "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                  "Connection: close\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}
