#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

/// Stands in for the web search engine: a small HTTP server on 127.0.0.1 that
/// serves a few linked pages and records every request it receives.
class FakeSearchEngine final : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray path;
        QByteArray query; // as received, still percent-encoded
    };

    FakeSearchEngine();
    ~FakeSearchEngine() override;

    /// The address of one of its pages, e.g. url("/search").
    QUrl url(const QString& path) const;
    /// How many requests asked for the path.
    int hits(const QByteArray& path) const;
    /// The last request for the path (a default one if there was none).
    Request lastRequest(const QByteArray& path) const;

    QList<Request> requests;
    /// How long "/slow" keeps its visitors waiting.
    int slowPageDelayMs = 1500;

    /// Splits a query string into its fields, in order, decoded as a form
    /// submission in UTF-8 ("+" is a space).
    static QList<QPair<QString, QString>> formFields(const QByteArray& query);

private:
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& path);

    QTcpServer* server_;
};
