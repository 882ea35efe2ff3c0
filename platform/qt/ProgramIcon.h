#pragma once

#include "window/IconPixels.h"

#include <QIcon>
#include <QImage>

namespace tovrin {

QImage toQImage(const IconImage& image);

// The window's icon, in both sizes.
QIcon programIcon();

} // namespace tovrin
