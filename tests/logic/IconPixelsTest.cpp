#include "window/IconPixels.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

// The columns [first, last] of a row that are not transparent, or {-1, -1}.
std::pair<int, int> paintedSpan(const IconImage& image, int row) {
    int first = -1;
    int last = -1;
    for (int column = 0; column < image.size(); ++column) {
        if (image.at(row, column) != IconColour::Transparent) {
            if (first < 0)
                first = column;
            last = column;
        }
    }
    return {first, last};
}

void expectWhiteRun(const IconImage& image, int row, int first, int last) {
    for (int column = first; column <= last; ++column)
        EXPECT_EQ(image.at(row, column), IconColour::White) << "row " << row << ", column " << column;
}

TEST(Icon, LargeTriangleWidensByOnePixelEachSideEveryTwoRows) {
    const IconImage icon = iconImage(LargeIconSize);
    ASSERT_EQ(icon.size(), 32);
    for (int row : {0, 1, 2, 3, 28, 29, 30, 31})
        EXPECT_EQ(paintedSpan(icon, row), std::make_pair(-1, -1)) << "row " << row;
    for (int row = 4; row <= 27; ++row) {
        const int half = (row - 4) / 2;
        EXPECT_EQ(paintedSpan(icon, row), std::make_pair(15 - half, 15 + half)) << "row " << row;
    }
    EXPECT_EQ(paintedSpan(icon, 26), std::make_pair(4, 26));
    EXPECT_EQ(icon.at(4, 15), IconColour::Blue);
    EXPECT_EQ(icon.at(27, 4), IconColour::Blue);
    EXPECT_EQ(icon.at(27, 26), IconColour::Blue);
}

TEST(Icon, LargeBoltHasItsFixedRuns) {
    const IconImage icon = iconImage(LargeIconSize);
    expectWhiteRun(icon, 14, 15, 15);
    expectWhiteRun(icon, 18, 11, 14);
    expectWhiteRun(icon, 19, 10, 20);
    expectWhiteRun(icon, 20, 17, 19);
    for (int row = 23; row <= 25; ++row)
        expectWhiteRun(icon, row, 13, 16);
    // The bar is exactly as wide as drawn: blue on both sides.
    EXPECT_EQ(icon.at(19, 9), IconColour::Blue);
    EXPECT_EQ(icon.at(19, 21), IconColour::Blue);
    // Nothing white outside the bolt's rows.
    for (int row : {4, 13, 26, 27})
        EXPECT_NE(paintedSpan(icon, row).first, -1);
    for (int row = 0; row < 32; ++row) {
        if (row >= 14 && row <= 25)
            continue;
        for (int column = 0; column < 32; ++column)
            EXPECT_NE(icon.at(row, column), IconColour::White) << row << "," << column;
    }
}

TEST(Icon, SmallImageShowsTheSameFigureOnRowsTwoToThirteen) {
    const IconImage icon = iconImage(SmallIconSize);
    ASSERT_EQ(icon.size(), 16);
    for (int row : {0, 1, 14, 15})
        EXPECT_EQ(paintedSpan(icon, row), std::make_pair(-1, -1)) << "row " << row;
    for (int row = 2; row <= 13; ++row)
        EXPECT_NE(paintedSpan(icon, row).first, -1) << "row " << row;
    EXPECT_EQ(paintedSpan(icon, 13), std::make_pair(2, 13));
    EXPECT_EQ(paintedSpan(icon, 2), std::make_pair(7, 7));
    int white = 0;
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 16; ++column)
            white += icon.at(row, column) == IconColour::White ? 1 : 0;
    EXPECT_GT(white, 8) << "the bolt must survive the halving";
}

TEST(Icon, ColoursAreTheDesignedOnes) {
    EXPECT_EQ(rgbOf(IconColour::Blue).blue, 255);
    EXPECT_EQ(rgbOf(IconColour::Blue).red + rgbOf(IconColour::Blue).green, 0);
    EXPECT_EQ(rgbOf(IconColour::White).red + rgbOf(IconColour::White).green + rgbOf(IconColour::White).blue,
              3 * 255);
}

} // namespace
} // namespace tovrin
