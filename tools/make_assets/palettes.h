#pragma once

// Fixed palettes of the icon's palettised images and the nearest-colour lookup into them.

#include <QRgb>

#include <cstdint>
#include <span>

namespace make_assets {

// Index 0 is black in every palette: transparent pixels store it, so the screen shows through unchanged.
[[nodiscard]] std::span<const QRgb> palette_for_bits(int bits_per_pixel);

// Nearest by squared RGB distance; ties go to the lower index, so the choice depends on nothing but the colour.
[[nodiscard]] std::uint8_t nearest_palette_index(std::span<const QRgb> palette, QRgb colour);

} // namespace make_assets
