// The maker's pages and the words that point to them, all from the one site address the
// build is configured with (SELENOSCOPE_SITE_URL), so that a distributor rebrands every
// face by changing that address alone. Plain C++20, no Qt: the windows and the web page
// link alike.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace shell {

/// The pages of the maker's site that the program links to.
enum class SitePage { OnlineHelp, Home, Download, Donate, CoBrand, FullBrand };

/// Each page's place under the site's address, and what the web page calls it.
struct SitePagePath
{
    SitePage page;
    std::string_view key;
    std::string_view path;
};

inline constexpr std::array<SitePagePath, 6> kSitePages{{
    {SitePage::OnlineHelp, "help", "help/"},
    {SitePage::Home, "home", "forum/"},
    {SitePage::Download, "download", "download/"},
    {SitePage::Donate, "donate", "donate/"},
    {SitePage::CoBrand, "cobrand", "cobrand/"},
    {SitePage::FullBrand, "fullbrand", "fullbrand/"},
}};

/// The site's address as configured, ending in "/".
std::string SiteAddress();

/// The page's address: the site's address and the page's path under it.
std::string SitePageAddress(SitePage page);

/// The site's host name, in small letters, as the banners and the about box name it:
/// "selenoscope.example.org" (no user, no port, an address without its brackets).
std::string SiteHost(std::string_view address);

/// SiteHost of the configured address.
std::string SiteName();

/// Which wording the banner label uses: the entry and display windows invite to the
/// discussion board, the lookup browser to the forum.
enum class BannerWording { DiscussionBoard, Forum };

/// The banner's one line praising the maker's forum, naming the site.
std::string BannerText(BannerWording wording);

/// The two promotional offers, which lie on top of each other.
inline constexpr std::string_view kFullBrandOffer =
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website. Click here for more details.";
inline constexpr std::string_view kCoBrandOffer =
    "Co-brand this software for your site. Put your web site's name and link right here, in "
    "front of every user. Click here for more details.";

} // namespace shell
