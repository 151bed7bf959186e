#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class QTabWidget;

/// One page of a tab control whose children are drawn relative to the tab
/// control's own top-left corner, tab strip included, rather than to the page
/// area below the strip. The page shifts them by its offset whenever it is
/// laid out or shown, so their place does not depend on the style's strip height.
class TabPage final : public QWidget
{
public:
    explicit TabPage(QTabWidget* tabs, QWidget* parent = nullptr);

    /// Puts the child at the rectangle (logical pixels) measured from the tab control.
    void place(QWidget* child, const QRect& inTabControl);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void reposition();

    struct Placement
    {
        QPointer<QWidget> child;
        QRect inTabControl;
    };
    QTabWidget* tabs_;
    std::vector<Placement> placements_;
};
