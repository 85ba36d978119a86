#pragma once

// The BITMAPINFOHEADER that both the bitmap files and the icon images start their pixel data with.

#include "little_endian.h"

#include <cstdint>

namespace make_assets {

inline constexpr std::uint32_t BitmapInfoHeaderSize = 40;

// Bytes of one stored pixel row: rows are padded to a multiple of four bytes.
[[nodiscard]] constexpr std::uint32_t dib_row_bytes(int width, int bits_per_pixel)
{
    auto const bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits_per_pixel);
    return (bits + 31u) / 32u * 4u;
}

// Uncompressed (BI_RGB), bottom-up. An icon image gives twice its height here: colour rows, then the mask rows.
void append_bitmap_info_header(Bytes& out, int width, int stored_height, int bits_per_pixel, std::uint32_t pixel_bytes);

} // namespace make_assets
