#include "shell/PromoLabels.h"

#include "shell/LinkLabel.h"
#include "shell/UiKit.h"
#include "shell/modHelp.h"

#include <QEvent>

namespace {

// Only the label in front can be seen, so only it is reachable with Tab; the
// front changes whenever one of the two is raised.
class FrontLabelTakesFocus final : public QObject
{
public:
    FrontLabelTakesFocus(LinkLabel* first, LinkLabel* second)
        : QObject(first), first_(first), second_(second)
    {
        first->installEventFilter(this);
        second->installEventFilter(this);
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange)
            update();
        return QObject::eventFilter(watched, event);
    }

private:
    void update()
    {
        const QObjectList& siblings = first_->parentWidget()->children();
        const bool firstInFront = siblings.indexOf(first_) > siblings.indexOf(second_);
        first_->setFocusPolicy(firstInFront ? Qt::TabFocus : Qt::NoFocus);
        second_->setFocusPolicy(firstInFront ? Qt::NoFocus : Qt::TabFocus);
    }

    LinkLabel* first_;
    LinkLabel* second_;
};

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
            : QStringLiteral("Our astrologers' forum: %1").arg(site);
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
    new FrontLabelTakesFocus(labels.lblCobrand, labels.lblFullBrand);
    return labels;
}
