// Turns images the program shows at start-up into raw pixels while building, so
// that it shows them without reading an image file: reading one offers it to
// every image-format plugin first, which loads them all, and an SVG brings in
// the SVG renderer too.
//
// render_icon <image> <output> [<size>]
//   <image>   a file, or a resource of Qt's own (":/qt-project.org/...")
//   <size>    the width and height to draw a scalable image at
// The output holds the width and the height (32-bit, little-endian) and then the
// premultiplied 32-bit ARGB pixels, rows top to bottom.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv); // Qt's own images live in the widgets library
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: render_icon <image> <output> [<size>]\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QImage image =
        argc == 4 ? QIcon(source).pixmap(atoi(argv[3]), atoi(argv[3])).toImage() : QImage(source);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    QFile file(QString::fromLocal8Bit(argv[2]));
    const quint32 header[2] = {qToLittleEndian(quint32(image.width())),
                               qToLittleEndian(quint32(image.height()))};
    const auto bytes = static_cast<qint64>(image.sizeInBytes());
    if (image.isNull() || image.bytesPerLine() != image.width() * 4 ||
        !file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(header), sizeof header) != sizeof header ||
        file.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
        std::fprintf(stderr, "render_icon: cannot turn %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
