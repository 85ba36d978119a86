#include "ico_file.h"

#include "dib.h"
#include "palettes.h"

#include <stdexcept>

namespace make_assets {

namespace {

constexpr std::uint32_t DirectoryHeaderSize = 6;
constexpr std::uint32_t DirectoryEntrySize = 16;
constexpr std::uint16_t IconResourceType = 1;
constexpr int LargestSide = 256;
constexpr int OpaqueFrom = 128; // alpha from here on counts as opaque in the 1-bit mask

bool is_transparent(QRgb pixel)
{
    return qAlpha(pixel) < OpaqueFrom;
}

// A side of 256 does not fit the directory's byte; the format stores it as 0.
std::uint8_t directory_side(int side)
{
    return static_cast<std::uint8_t>(side == LargestSide ? 0 : side);
}

std::uint8_t directory_colour_count(int bits_per_pixel)
{
    return static_cast<std::uint8_t>(bits_per_pixel < 8 ? 1 << bits_per_pixel : 0);
}

void append_palette(Bytes& out, std::span<const QRgb> palette)
{
    for (const QRgb colour : palette) {
        append_u8(out, static_cast<std::uint8_t>(qBlue(colour)));
        append_u8(out, static_cast<std::uint8_t>(qGreen(colour)));
        append_u8(out, static_cast<std::uint8_t>(qRed(colour)));
        append_u8(out, 0);
    }
}

void append_indexed_rows(Bytes& out, QImage const& picture, int bits_per_pixel)
{
    const std::span<const QRgb> palette = palette_for_bits(bits_per_pixel);
    const std::uint32_t row_bytes = dib_row_bytes(picture.width(), bits_per_pixel);
    int const pixels_per_byte = 8 / bits_per_pixel;
    for (int y = picture.height() - 1; y >= 0; --y) {
        Bytes row(row_bytes, 0);
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            const std::uint8_t index = is_transparent(pixel) ? 0 : nearest_palette_index(palette, pixel);
            int const shift = 8 - bits_per_pixel * (x % pixels_per_byte + 1);
            row[static_cast<std::size_t>(x / pixels_per_byte)] |= static_cast<std::uint8_t>(index << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// Straight (not premultiplied) BGRA, as the 32-bit icon images hold it.
void append_bgra_rows(Bytes& out, QImage const& picture)
{
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            append_u8(out, static_cast<std::uint8_t>(qBlue(pixel)));
            append_u8(out, static_cast<std::uint8_t>(qGreen(pixel)));
            append_u8(out, static_cast<std::uint8_t>(qRed(pixel)));
            append_u8(out, static_cast<std::uint8_t>(qAlpha(pixel)));
        }
    }
}

// Set bits leave the screen showing through; the 32-bit images keep the mask too, for readers that ignore alpha.
void append_mask_rows(Bytes& out, QImage const& picture)
{
    const std::uint32_t row_bytes = dib_row_bytes(picture.width(), 1);
    for (int y = picture.height() - 1; y >= 0; --y) {
        Bytes row(row_bytes, 0);
        for (int x = 0; x < picture.width(); ++x) {
            if (is_transparent(picture.pixel(x, y))) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

Bytes encode_image(IconImage const& image)
{
    const QImage picture = image.picture.convertToFormat(QImage::Format_ARGB32);
    int const side = picture.width();
    if (side != picture.height() || side < 1 || side > LargestSide) {
        throw std::invalid_argument("icon images are square, 1 to 256 pixels");
    }
    auto const rows = static_cast<std::uint32_t>(side);
    const std::uint32_t pixel_bytes = (dib_row_bytes(side, image.bits_per_pixel) + dib_row_bytes(side, 1)) * rows;

    Bytes out;
    append_bitmap_info_header(out, side, 2 * side, image.bits_per_pixel, pixel_bytes);
    if (image.bits_per_pixel == 32) {
        append_bgra_rows(out, picture);
    } else {
        append_palette(out, palette_for_bits(image.bits_per_pixel));
        append_indexed_rows(out, picture, image.bits_per_pixel);
    }
    append_mask_rows(out, picture);
    return out;
}

} // namespace

Bytes encode_ico(std::span<const IconImage> images)
{
    std::vector<Bytes> encoded;
    for (IconImage const& image : images) {
        encoded.push_back(encode_image(image));
    }

    Bytes out;
    append_u16(out, 0); // reserved
    append_u16(out, IconResourceType);
    append_u16(out, static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(DirectoryHeaderSize + DirectoryEntrySize * images.size());
    for (std::size_t index = 0; index < images.size(); ++index) {
        int const side = images[index].picture.width();
        auto const size = static_cast<std::uint32_t>(encoded[index].size());
        append_u8(out, directory_side(side));
        append_u8(out, directory_side(side));
        append_u8(out, directory_colour_count(images[index].bits_per_pixel));
        append_u8(out, 0);  // reserved
        append_u16(out, 1); // planes
        append_u16(out, static_cast<std::uint16_t>(images[index].bits_per_pixel));
        append_u32(out, size);
        append_u32(out, offset);
        offset += size;
    }
    for (Bytes const& image : encoded) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

} // namespace make_assets
