#include "shell/ProgramStyle.h"

#include "shell/RawImage.h"

#include <QGroupBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <qdrawutil.h>

namespace {

/// Two chevrons pointing right (or down), in the palette's text colour.
QIcon overflowArrows(bool downwards, const QColor& colour)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        if (downwards) { // drawn pointing right, turned a quarter
            painter.translate(size, 0);
            painter.rotate(90);
        }
        painter.setPen(QPen(colour, size / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal s = size;
        for (const qreal left : {0.22 * s, 0.50 * s}) {
            QPainterPath chevron;
            chevron.moveTo(left, 0.25 * s);
            chevron.lineTo(left + 0.22 * s, 0.50 * s);
            chevron.lineTo(left, 0.75 * s);
            painter.drawPath(chevron);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// Qt's own style sets a group box's frame this far below a title's top.
constexpr int kGroupBoxTopMargin = 3;
// The corners of the frame image, which stay as they are when it is stretched.
constexpr QMargins kGroupBoxFrameCorners(6, 6, 6, 6);

} // namespace

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base)
{
    if (baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        groupBoxFrame_ =
            QPixmap::fromImage(rawImage(QStringLiteral(":/images/fusion-groupbox.argb")));
}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const
{
    const QColor colour =
        (widget != nullptr ? widget->palette() : standardPalette()).color(QPalette::ButtonText);
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
        return overflowArrows(false, colour);
    case SP_ToolBarVerticalExtensionButton:
        return overflowArrows(true, colour);
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    if (element == PE_FrameGroupBox && option != nullptr && painter != nullptr &&
        drawGroupBoxFrame(*option, *painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool ProgramStyle::drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const
{
    if (groupBoxFrame_.isNull())
        return false;
    // The frame image stretched round the box, starting below the title where there is one.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool titled = box == nullptr || box->isCheckable() || !box->title().isEmpty();
    const int top =
        titled ? std::max(proxy()->pixelMetric(PM_ExclusiveIndicatorHeight, &option, widget),
                          option.fontMetrics.height()) +
                     kGroupBoxTopMargin
               : kGroupBoxTopMargin;
    qDrawBorderPixmap(&painter, option.rect.adjusted(0, top, 0, 0), kGroupBoxFrameCorners,
                      groupBoxFrame_);
    return true;
}
