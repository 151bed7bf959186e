#pragma once

#include <QString>
#include <QUrl>

// Link openers: each hands one page of the maker's site to the default browser.
namespace modHelp {

/// The maker's site as configured at build time (SELENOSCOPE_SITE_URL).
QUrl SiteUrl();
/// The site's host name, as the banners and the about box name it.
QString SiteName();

/// Hands the address to the default browser; returns at once and never reports a failure.
void OpenLink(const QUrl& address);

void OpenOnlineHelp();
void OpenHomePage();
void OpenDownloadPage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();

} // namespace modHelp
