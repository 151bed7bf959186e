#include "shell/modHelp.h"

#include "shell/SiteLinks.h"

#include <QDesktopServices>

namespace modHelp {
namespace {

// Every page lives under the one base address (shell/SiteLinks.h, which the web page
// links by too).
QUrl page(shell::SitePage which)
{
    return QUrl(QString::fromStdString(shell::SitePageAddress(which)));
}

} // namespace

QUrl SiteUrl()
{
    return QUrl(QString::fromStdString(shell::SiteAddress()));
}

QString SiteName()
{
    return QString::fromStdString(shell::SiteName());
}

void OpenLink(const QUrl& address)
{
    // The result is ignored: a missing browser or an unreachable page is not
    // the user's concern here, and the window stays as it was.
    (void)QDesktopServices::openUrl(address);
}

void OpenOnlineHelp()
{
    OpenLink(page(shell::SitePage::OnlineHelp));
}
void OpenHomePage()
{
    OpenLink(page(shell::SitePage::Home));
}
void OpenDownloadPage()
{
    OpenLink(page(shell::SitePage::Download));
}
void OpenDonatePage()
{
    OpenLink(page(shell::SitePage::Donate));
}
void OpenCoBrandPage()
{
    OpenLink(page(shell::SitePage::CoBrand));
}
void OpenFullBrandPage()
{
    OpenLink(page(shell::SitePage::FullBrand));
}

} // namespace modHelp
