#include "settings/IconFont.h"

#include <algorithm>

namespace settings::rset {

namespace {
// The bit of a row's big-endian value that holds column col.
int RowBit(const BitmapShape& shape, int col) {
    return shape.width - 1 - col;
}
} // namespace

Pixels DecodeBitmap(const BitmapShape& shape, const Byte* bytes) {
    Pixels pixels(static_cast<size_t>(shape.PixelCount()));
    for (int row = 0; row < shape.height; ++row) {
        const Byte* r = bytes + row * shape.rowBytes;
        std::uint32_t value = 0;
        for (int i = 0; i < shape.rowBytes; ++i)
            value = value << 8 | r[i];
        for (int col = 0; col < shape.width; ++col)
            pixels[static_cast<size_t>(row * shape.width + col)] =
                (value >> RowBit(shape, col) & 1u) != 0;
    }
    return pixels;
}

void EncodeBitmap(const BitmapShape& shape, const Pixels& pixels, Byte* bytes) {
    std::fill(bytes, bytes + shape.size, Byte{0});
    for (int row = 0; row < shape.height; ++row) {
        std::uint32_t value = 0;
        for (int col = 0; col < shape.width; ++col) {
            const size_t p = static_cast<size_t>(row * shape.width + col);
            if (p < pixels.size() && pixels[p])
                value |= 1u << RowBit(shape, col);
        }
        Byte* r = bytes + row * shape.rowBytes;
        for (int i = shape.rowBytes - 1; i >= 0; --i, value >>= 8)
            r[i] = static_cast<Byte>(value & 0xFF);
    }
}

int SelectedBitmap(const BitmapShape& shape, const Byte* block) {
    const int k = block[shape.selectionByte];
    return k < shape.count ? k : -1;
}

QStringList DrawBitmap(const BitmapShape& shape, const Pixels& pixels) {
    QStringList rows;
    for (int row = 0; row < shape.height; ++row) {
        QString line(shape.width, QLatin1Char('.'));
        for (int col = 0; col < shape.width; ++col) {
            const size_t p = static_cast<size_t>(row * shape.width + col);
            if (p < pixels.size() && pixels[p])
                line[col] = QLatin1Char('#');
        }
        rows << line;
    }
    return rows;
}

} // namespace settings::rset
