#include "window/IconPixels.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>

namespace tovrin::testing {
namespace {

// The scratch root that the package was unpacked into.
std::string packageRoot() {
    const char* root = std::getenv("TOVRIN_PACKAGE_ROOT");
    return root != nullptr ? root : "";
}

class InstalledIcon : public ::testing::TestWithParam<int> {};

TEST_P(InstalledIcon, MatchesThePixelDescription) {
    const int size = GetParam();
    const std::string path = packageRoot() + "/usr/share/icons/hicolor/" + std::to_string(size) + "x" +
                             std::to_string(size) + "/apps/example.tovrin.Tovrin.png";
    const QImage installed = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(installed.isNull()) << "cannot read " << path;
    ASSERT_EQ(installed.size(), QSize(size, size)) << path;

    const IconImage expected = iconImage(size);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const QRgb pixel = installed.pixel(column, row);
            const IconColour colour = expected.at(row, column);
            if (colour == IconColour::Transparent) {
                EXPECT_EQ(qAlpha(pixel), 0) << "row " << row << ", column " << column;
                continue;
            }
            const Rgb rgb = rgbOf(colour);
            EXPECT_EQ(pixel, qRgba(rgb.red, rgb.green, rgb.blue, 255)) << "row " << row << ", column " << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSizes, InstalledIcon, ::testing::Values(SmallIconSize, LargeIconSize));

} // namespace
} // namespace tovrin::testing
