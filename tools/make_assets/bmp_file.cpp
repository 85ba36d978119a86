#include "bmp_file.h"

#include "dib.h"

#include <QImage>

namespace make_assets {

namespace {
constexpr std::uint32_t FileHeaderSize = 14;
constexpr int BitsPerPixel = 24;
} // namespace

Bytes encode_bmp24(QImage const& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t row_bytes = dib_row_bytes(rgb.width(), BitsPerPixel);
    const std::uint32_t pixel_bytes = row_bytes * static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t pixel_offset = FileHeaderSize + BitmapInfoHeaderSize;

    Bytes out;
    out.reserve(pixel_offset + pixel_bytes);
    append_u8(out, 'B');
    append_u8(out, 'M');
    append_u32(out, pixel_offset + pixel_bytes);
    append_u32(out, 0); // two reserved words
    append_u32(out, pixel_offset);
    append_bitmap_info_header(out, rgb.width(), rgb.height(), BitsPerPixel, pixel_bytes);

    for (int y = rgb.height() - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            append_u8(out, static_cast<std::uint8_t>(qBlue(pixel)));
            append_u8(out, static_cast<std::uint8_t>(qGreen(pixel)));
            append_u8(out, static_cast<std::uint8_t>(qRed(pixel)));
        }
        out.resize(row_start + row_bytes, 0);
    }
    return out;
}

} // namespace make_assets
