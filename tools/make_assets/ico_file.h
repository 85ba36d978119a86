#pragma once

// Writes an icon file: one directory, then each image as a bitmap (never PNG) with its colour and mask rows.

#include "little_endian.h"

#include <QImage>

#include <span>

namespace make_assets {

struct IconImage {
    QImage picture; // square, with alpha; palettised depths quantise it to their fixed palette
    int bits_per_pixel = 32;
};

[[nodiscard]] Bytes encode_ico(std::span<const IconImage> images);

} // namespace make_assets
