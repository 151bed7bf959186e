#include "shell/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The icon the desktop shows for the program, compiled in.
const QString kIconResource = QStringLiteral(":/icons/selenoscope.svg");

// Stands in when the SVG cannot be drawn (Qt's SVG plugins missing): the same
// crescent, drawn by hand.
QIcon drawnCrescent()
{
    QIcon drawn;
    for (const int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(size * 0.08, size * 0.08, size * 0.84, size * 0.84);
        QPainterPath moon;
        moon.addEllipse(disc);
        QPainterPath shadow;
        shadow.addEllipse(disc.translated(size * 0.28, -size * 0.12));
        painter.fillPath(moon.subtracted(shadow), QColor(0xf2, 0xe6, 0xa7));
        drawn.addPixmap(pixmap);
    }
    return drawn;
}

} // namespace

QIcon appIcon()
{
    static const QIcon icon = [] {
        QIcon svg(kIconResource);
        return svg.pixmap(32, 32).isNull() ? drawnCrescent() : svg;
    }();
    return icon;
}
