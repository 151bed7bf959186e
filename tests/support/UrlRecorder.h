#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

/// Catches the addresses handed to the default browser (http and https).
class UrlRecorder final : public QObject
{
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    QList<QUrl> opened;

public slots:
    void handleUrl(const QUrl& url);
};
