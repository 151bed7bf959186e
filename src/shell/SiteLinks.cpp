#include "shell/SiteLinks.h"

#ifndef SELENOSCOPE_SITE_URL
#error "SELENOSCOPE_SITE_URL must be defined by the build"
#endif

namespace shell {

std::string SiteAddress()
{
    std::string base = SELENOSCOPE_SITE_URL;
    if (base.empty() || base.back() != '/')
        base += '/';
    return base;
}

std::string SitePageAddress(SitePage page)
{
    for (const SitePagePath& p : kSitePages)
        if (p.page == page)
            return SiteAddress() + std::string(p.path);
    return SiteAddress();
}

std::string SiteHost(std::string_view address)
{
    const std::size_t scheme = address.find("://");
    std::string_view host = scheme == std::string_view::npos ? address : address.substr(scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (const std::size_t user = host.rfind('@'); user != std::string_view::npos)
        host.remove_prefix(user + 1);
    // A port follows the last colon, unless the host is an address in brackets, which are
    // not part of its name.
    if (const std::size_t colon = host.rfind(':');
        colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos)
        host = host.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    std::string lower(host);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string SiteName()
{
    return SiteHost(SiteAddress());
}

std::string BannerText(BannerWording wording)
{
    return wording == BannerWording::DiscussionBoard
               ? "Join the friendliest astrology discussion board on the web: visit " + SiteName()
               : "Our astrologers' forum: " + SiteName();
}

} // namespace shell
