#include "shell/RawImage.h"

#include <QResource>
#include <QtEndian>

QImage rawImage(const QString& resource)
{
    const QByteArray data = QResource(resource).uncompressedData();
    constexpr qsizetype kHeader = 2 * sizeof(quint32);
    if (data.size() < kHeader)
        return {};
    const auto* header = reinterpret_cast<const uchar*>(data.constData());
    const auto width = static_cast<int>(qFromLittleEndian<quint32>(header));
    const auto height = static_cast<int>(qFromLittleEndian<quint32>(header + sizeof(quint32)));
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        data.size() != kHeader + qsizetype(width) * height * 4)
        return {};
    return QImage(header + kHeader, width, height, width * 4, QImage::Format_ARGB32_Premultiplied)
        .copy(); // the resource's bytes are not the image's to keep
}
