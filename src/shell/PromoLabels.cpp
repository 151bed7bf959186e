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
    return makeLink(parent, "Label61", QString::fromStdString(shell::BannerText(wording)), geometry,
                    &modHelp::OpenHomePage);
}

PromoLabels makePromoLabels(QWidget* parent, const QRect& geometry)
{
    PromoLabels labels;
    const auto text = [](std::string_view offer) {
        return QString::fromUtf8(offer.data(), static_cast<qsizetype>(offer.size()));
    };
    labels.lblFullBrand = makeLink(parent, "lblFullBrand", text(shell::kFullBrandOffer), geometry,
                                   &modHelp::OpenFullBrandPage);
    labels.lblCobrand = makeLink(parent, "lblCobrand", text(shell::kCoBrandOffer), geometry,
                                 &modHelp::OpenCoBrandPage);
    labels.lblCobrand->raise();
    new FrontLabelTakesFocus(labels.lblCobrand, labels.lblFullBrand);
    return labels;
}
