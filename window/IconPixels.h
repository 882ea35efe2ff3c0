#pragma once

#include <cstdint>
#include <vector>

namespace tovrin {

enum class IconColour : std::uint8_t { Transparent, Blue, White };

struct Rgb {
    std::uint8_t red, green, blue;
};

Rgb rgbOf(IconColour colour);

// A square image of the program's icon, rows from the top.
class IconImage {
public:
    explicit IconImage(int size);

    int size() const { return size_; }
    IconColour at(int row, int column) const;
    void set(int row, int column, IconColour colour);

private:
    int size_;
    std::vector<IconColour> pixels_;
};

// The 32 x 32 image is drawn pixel by pixel; the 16 x 16 image is the same
// drawing at half the size, so the two can never tell different stories.
inline constexpr int LargeIconSize = 32;
inline constexpr int SmallIconSize = 16;
IconImage iconImage(int size);

} // namespace tovrin
