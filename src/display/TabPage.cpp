#include "display/TabPage.h"

#include <QTabWidget>

TabPage::TabPage(QTabWidget* tabs, QWidget* parent) : QWidget(parent), tabs_(tabs) {}

void TabPage::place(QWidget* child, const QRect& inTabControl)
{
    placements_.push_back({child, inTabControl});
    reposition();
}

void TabPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    reposition();
}

void TabPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reposition();
}

void TabPage::reposition()
{
    // Until the page has been added to the tab control there is no offset to take.
    if (!tabs_->isAncestorOf(this))
        return;
    const QPoint offset = mapTo(tabs_, QPoint(0, 0));
    for (const Placement& placement : placements_) {
        if (placement.child != nullptr)
            placement.child->setGeometry(placement.inTabControl.translated(-offset));
    }
}
