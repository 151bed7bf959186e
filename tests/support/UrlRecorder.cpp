#include "support/UrlRecorder.h"

#include <QDesktopServices>

UrlRecorder::UrlRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "handleUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "handleUrl");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlRecorder::handleUrl(const QUrl& url)
{
    opened.append(url);
}
