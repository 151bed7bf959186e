#include "PromoLabels.h"

#include "LinkLabel.h"
#include "UiKit.h"
#include "modHelp.h"

namespace {

LinkLabel* makeLink(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    void (*opener)())
{
    auto* label = makeNamed<LinkLabel>(parent, name, text);
    label->setGeometry(geometry);
    label->setFont(uiFont(8.25, true, true));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(true); // the front label hides the one behind it
    QObject::connect(label, &LinkLabel::clicked, opener);
    return label;
}

} // namespace

LinkLabel* makeBannerLabel(QWidget* parent, BannerWording wording, const QRect& geometry)
{
    const QString site = modHelp::SiteName();
    const QString text =
        wording == BannerWording::DiscussionBoard
            ? QStringLiteral("Join the friendliest astrology discussion board on the web: visit %1")
                  .arg(site)
            : QStringLiteral("Ask the astrologers of our forum: visit %1").arg(site);
    return makeLink(parent, "Label61", text, geometry, &modHelp::OpenHomePage);
}

PromoLabels makePromoLabels(QWidget* parent, const QRect& geometry)
{
    PromoLabels labels;
    labels.lblFullBrand = makeLink(
        parent, "lblFullBrand",
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                       "online. Get this software fully branded for your website. Click here for "
                       "more details."),
        geometry, &modHelp::OpenFullBrandPage);
    labels.lblCobrand = makeLink(
        parent, "lblCobrand",
        QStringLiteral("Co-brand this software for your site. Put your web site's name and link "
                       "right here, in front of every user. Click here for more details."),
        geometry, &modHelp::OpenCoBrandPage);
    labels.lblCobrand->raise();
    return labels;
}
