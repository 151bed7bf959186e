#include "shell/AppIcon.h"

#include "shell/RawImage.h"

#include <QPixmap>

namespace {

QPixmap rawIconPixmap(int size)
{
    return QPixmap::fromImage(rawImage(QStringLiteral(":/images/selenoscope-%1.argb").arg(size)));
}

} // namespace

QIcon appIcon()
{
    static const QIcon icon = [] {
        // The sizes a window manager takes from a scalable icon.
        QIcon sized;
        for (const int size : {16, 32, 64, 128})
            sized.addPixmap(rawIconPixmap(size));
        return sized;
    }();
    return icon;
}

QPixmap appIconPixmap(int size)
{
    const QPixmap drawn = rawIconPixmap(size);
    return drawn.isNull() ? appIcon().pixmap(size, size) : drawn;
}
