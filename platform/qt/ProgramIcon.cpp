#include "platform/qt/ProgramIcon.h"

#include <QPixmap>

namespace tovrin {

QImage toQImage(const IconImage& image) {
    QImage result(image.size(), image.size(), QImage::Format_ARGB32);
    for (int row = 0; row < image.size(); ++row) {
        for (int column = 0; column < image.size(); ++column) {
            const IconColour colour = image.at(row, column);
            const Rgb rgb = rgbOf(colour);
            const int alpha = colour == IconColour::Transparent ? 0 : 255;
            result.setPixel(column, row, qRgba(rgb.red, rgb.green, rgb.blue, alpha));
        }
    }
    return result;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {SmallIconSize, LargeIconSize})
        icon.addPixmap(QPixmap::fromImage(toQImage(iconImage(size))));
    return icon;
}

} // namespace tovrin
