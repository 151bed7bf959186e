#pragma once

#include "shell/SiteLinks.h"

#include <QRect>

class LinkLabel;
class QWidget;

/// Which wording the banner label uses (shell/SiteLinks.h).
using BannerWording = shell::BannerWording;

/// The banner label `Label61`: one line praising the maker's forum; a click opens the home page.
LinkLabel* makeBannerLabel(QWidget* parent, BannerWording wording, const QRect& geometry);

/// The two promotional labels lying on top of each other, `lblCobrand` in front.
struct PromoLabels
{
    LinkLabel* lblFullBrand = nullptr;
    LinkLabel* lblCobrand = nullptr;
};

/// Creates both labels at the same place, wired to the branding pages; only the
/// one in front takes the keyboard focus.
PromoLabels makePromoLabels(QWidget* parent, const QRect& geometry);
