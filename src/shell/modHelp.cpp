#include "shell/modHelp.h"

#include <QDesktopServices>

#ifndef SELENOSCOPE_SITE_URL
#error "SELENOSCOPE_SITE_URL must be defined by the build"
#endif

namespace modHelp {
namespace {

// Every page lives under the one base address, so a distributor rebrands the
// program by changing that address alone.
QUrl page(const char* path)
{
    return SiteUrl().resolved(QUrl(QString::fromLatin1(path)));
}

} // namespace

QUrl SiteUrl()
{
    QString base = QStringLiteral(SELENOSCOPE_SITE_URL);
    if (!base.endsWith(u'/'))
        base += u'/';
    return {base};
}

QString SiteName()
{
    return SiteUrl().host();
}

void OpenLink(const QUrl& address)
{
    // The result is ignored: a missing browser or an unreachable page is not
    // the user's concern here, and the window stays as it was.
    (void)QDesktopServices::openUrl(address);
}

void OpenOnlineHelp()
{
    OpenLink(page("help/"));
}
void OpenHomePage()
{
    OpenLink(page("forum/"));
}
void OpenDownloadPage()
{
    OpenLink(page("download/"));
}
void OpenDonatePage()
{
    OpenLink(page("donate/"));
}
void OpenCoBrandPage()
{
    OpenLink(page("cobrand/"));
}
void OpenFullBrandPage()
{
    OpenLink(page("fullbrand/"));
}

} // namespace modHelp
