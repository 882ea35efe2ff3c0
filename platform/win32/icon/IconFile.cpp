#include "platform/win32/icon/IconFile.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace tovrin {

namespace {

constexpr int BitsPerPixel = 4;
constexpr int PaletteSize = 16;
constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t DirectoryEntrySize = 16;
constexpr std::size_t BitmapHeaderSize = 40;

// The standard 16-colour palette of Windows.
constexpr std::array<Rgb, PaletteSize> StandardPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255},
}};

// Transparent pixels are black under a set mask bit.
std::uint8_t paletteIndex(IconColour colour) {
    if (colour == IconColour::Transparent)
        return 0;
    const Rgb rgb = rgbOf(colour);
    for (std::uint8_t index = 0; index < PaletteSize; ++index) {
        const Rgb& entry = StandardPalette[index];
        if (entry.red == rgb.red && entry.green == rgb.green && entry.blue == rgb.blue)
            return index;
    }
    throw std::logic_error("an icon colour is missing from the 16-colour palette");
}

// Bitmap rows are padded to whole 32-bit words.
std::size_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The image as a BITMAPINFOHEADER, the palette, the colour rows and the
// mask rows, both bottom-up.
std::string bitmapOf(const IconImage& image) {
    const int size = image.size();
    const std::size_t colourRow = rowBytes(size, BitsPerPixel);
    const std::size_t maskRow = rowBytes(size, 1);
    std::string out;
    put32(out, BitmapHeaderSize);
    put32(out, static_cast<unsigned>(size));
    put32(out, static_cast<unsigned>(2 * size)); // the colour rows and the mask rows
    put16(out, 1);
    put16(out, BitsPerPixel);
    put32(out, 0); // uncompressed
    put32(out, static_cast<unsigned>((colourRow + maskRow) * static_cast<std::size_t>(size)));
    put32(out, 0);
    put32(out, 0);
    put32(out, PaletteSize);
    put32(out, 0);
    for (const Rgb& entry : StandardPalette) {
        out += static_cast<char>(entry.blue);
        out += static_cast<char>(entry.green);
        out += static_cast<char>(entry.red);
        out += '\0';
    }
    for (int row = size - 1; row >= 0; --row) {
        std::string bytes(colourRow, '\0');
        for (int column = 0; column < size; ++column) {
            const int shift = column % 2 == 0 ? 4 : 0;
            bytes[static_cast<std::size_t>(column / 2)] |=
                static_cast<char>(paletteIndex(image.at(row, column)) << shift);
        }
        out += bytes;
    }
    for (int row = size - 1; row >= 0; --row) {
        std::string bytes(maskRow, '\0');
        for (int column = 0; column < size; ++column)
            if (image.at(row, column) == IconColour::Transparent)
                bytes[static_cast<std::size_t>(column / 8)] |= static_cast<char>(0x80 >> (column % 8));
        out += bytes;
    }
    return out;
}

} // namespace

std::string iconFile(const std::vector<IconImage>& images) {
    std::string directory;
    put16(directory, 0);
    put16(directory, 1); // an icon, not a cursor
    put16(directory, static_cast<unsigned>(images.size()));
    std::string bitmaps;
    std::size_t offset = DirectoryHeaderSize + DirectoryEntrySize * images.size();
    for (const IconImage& image : images) {
        const std::string bitmap = bitmapOf(image);
        directory += static_cast<char>(image.size());
        directory += static_cast<char>(image.size());
        directory += static_cast<char>(PaletteSize);
        directory += '\0';
        put16(directory, 1);
        put16(directory, BitsPerPixel);
        put32(directory, static_cast<unsigned>(bitmap.size()));
        put32(directory, static_cast<unsigned>(offset));
        offset += bitmap.size();
        bitmaps += bitmap;
    }
    return directory + bitmaps;
}

} // namespace tovrin
