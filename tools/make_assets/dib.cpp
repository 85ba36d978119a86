#include "dib.h"

namespace make_assets {

namespace {
constexpr std::uint32_t UncompressedRgb = 0; // BI_RGB
constexpr std::int32_t NoResolution = 0;     // pixels per metre: unused by readers of these files
constexpr std::uint32_t WholePalette = 0;    // biClrUsed 0: the palette has 2^bits entries
} // namespace

void append_bitmap_info_header(Bytes& out, int width, int stored_height, int bits_per_pixel, std::uint32_t pixel_bytes)
{
    append_u32(out, BitmapInfoHeaderSize);
    append_i32(out, width);
    append_i32(out, stored_height);
    append_u16(out, 1); // planes
    append_u16(out, static_cast<std::uint16_t>(bits_per_pixel));
    append_u32(out, UncompressedRgb);
    append_u32(out, pixel_bytes);
    append_i32(out, NoResolution);
    append_i32(out, NoResolution);
    append_u32(out, WholePalette);
    append_u32(out, 0); // biClrImportant: all
}

} // namespace make_assets
