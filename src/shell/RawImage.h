#pragma once

#include <QImage>
#include <QString>

/// An image compiled in as raw pixels (see tools/icons): the width and the height,
/// then premultiplied 32-bit ARGB rows. Shown without an image reader, so without
/// loading the image-format plugins. A null image when the resource is missing or
/// malformed.
QImage rawImage(const QString& resource);
