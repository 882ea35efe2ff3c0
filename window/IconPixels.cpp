#include "window/IconPixels.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace tovrin {

namespace {

// A blue triangle standing on its base with a white lightning bolt inside;
// "." is transparent, "B" blue, "W" white.
constexpr std::array<std::string_view, LargeIconSize> LargeIconDrawing{
    "................................",
    "................................",
    "................................",
    "................................",
    "...............B................",
    "...............B................",
    "..............BBB...............",
    "..............BBB...............",
    ".............BBBBB..............",
    ".............BBBBB..............",
    "............BBBBBBB.............",
    "............BBBBBBB.............",
    "...........BBBBBBBBB............",
    "...........BBBBBBBBB............",
    "..........BBBBBWBBBBB...........",
    "..........BBBBWWBBBBB...........",
    ".........BBBBWWBBBBBBB..........",
    ".........BBBWWBBBBBBBB..........",
    "........BBBWWWWBBBBBBBB.........",
    "........BBWWWWWWWWWWWBB.........",
    ".......BBBBBBBBBBWWWBBBB........",
    ".......BBBBBBBBBWWWBBBBB........",
    "......BBBBBBBBBWWWBBBBBBB.......",
    "......BBBBBBBWWWWBBBBBBBB.......",
    ".....BBBBBBBBWWWWBBBBBBBBB......",
    ".....BBBBBBBBWWWWBBBBBBBBB......",
    "....BBBBBBBBBBBBBBBBBBBBBBB.....",
    "....BBBBBBBBBBBBBBBBBBBBBBB.....",
    "................................",
    "................................",
    "................................",
    "................................",
};

IconColour colourOf(char pixel) {
    switch (pixel) {
    case 'B': return IconColour::Blue;
    case 'W': return IconColour::White;
    default: return IconColour::Transparent;
    }
}

IconImage largeIcon() {
    IconImage image(LargeIconSize);
    for (int row = 0; row < LargeIconSize; ++row)
        for (int column = 0; column < LargeIconSize; ++column)
            image.set(row, column, colourOf(LargeIconDrawing[row][column]));
    return image;
}

// Each pixel of the half-size image stands for a 2 x 2 block of the large
// one: the bolt wins over the triangle, so that it stays visible, and the
// triangle over transparency, so that its outline keeps its extent.
IconImage halved(const IconImage& large) {
    IconImage small(large.size() / 2);
    for (int row = 0; row < small.size(); ++row) {
        for (int column = 0; column < small.size(); ++column) {
            IconColour strongest = IconColour::Transparent;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    strongest = std::max(strongest, large.at(2 * row + dy, 2 * column + dx));
            small.set(row, column, strongest);
        }
    }
    return small;
}

} // namespace

Rgb rgbOf(IconColour colour) {
    switch (colour) {
    case IconColour::Blue: return {0, 0, 255};
    case IconColour::White: return {255, 255, 255};
    case IconColour::Transparent: break;
    }
    return {0, 0, 0};
}

IconImage::IconImage(int size)
    : size_(size), pixels_(static_cast<std::size_t>(size * size), IconColour::Transparent) {}

IconColour IconImage::at(int row, int column) const {
    return pixels_.at(static_cast<std::size_t>(row * size_ + column));
}

void IconImage::set(int row, int column, IconColour colour) {
    pixels_.at(static_cast<std::size_t>(row * size_ + column)) = colour;
}

IconImage iconImage(int size) {
    switch (size) {
    case LargeIconSize: return largeIcon();
    case SmallIconSize: return halved(largeIcon());
    default: throw std::invalid_argument("the icon comes in 32 x 32 and 16 x 16 only");
    }
}

} // namespace tovrin
