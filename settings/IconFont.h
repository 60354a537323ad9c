// The radio's user icons and user font characters: bitmaps stored row by
// row, each row right-aligned in whole bytes with its leftmost pixel in the
// highest used bit. A set bit is a dark pixel. Byte numbers count from the
// start of the settings block.
#pragma once

#include "radio/ImageLayout.h"

#include <QStringList>

#include <vector>

namespace settings::rset {

using radio::Byte;

// One pixel per flag, row by row: pixel p is row p / width, column p % width.
using Pixels = std::vector<bool>;

struct BitmapShape {
    int width;
    int height;
    int rowBytes;      // bytes per row
    int size;          // stored bytes per bitmap, the rows and any padding
    int first;         // block byte of bitmap 0
    int count;         // bitmaps in the block
    int selectionByte; // the bitmap the radio uses, 0 to count - 1

    constexpr int PixelCount() const { return width * height; }
    constexpr int Offset(int k) const { return first + size * k; }
};

// Five font characters of 10 x 11 pixels: two bytes a row, the top six bits
// of the first unused.
constexpr BitmapShape kFontShape{10, 11, 2, 22, 194, 5, 156};
// Three icons of 21 x 41 pixels: three bytes a row, the top three bits of
// the first unused, and one byte of padding after the last row.
constexpr BitmapShape kIconShape{21, 41, 3, 124, 448, 3, 157};

// The pixels of a stored bitmap; unused bits are ignored.
Pixels DecodeBitmap(const BitmapShape& shape, const Byte* bytes);
// Writes all shape.size bytes: the pixels, with unused bits and padding 0.
void EncodeBitmap(const BitmapShape& shape, const Pixels& pixels, Byte* bytes);

// The selected bitmap of a block, or -1 when its byte names none.
int SelectedBitmap(const BitmapShape& shape, const Byte* block);

// The bitmap drawn as text, one row a line: '#' for a set pixel, '.' for a
// clear one.
QStringList DrawBitmap(const BitmapShape& shape, const Pixels& pixels);

} // namespace settings::rset
