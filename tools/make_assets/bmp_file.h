#pragma once

// Writes a picture as a Windows bitmap file: 24 bits per pixel, uncompressed, bottom-up rows.

#include "little_endian.h"

class QImage;

namespace make_assets {

[[nodiscard]] Bytes encode_bmp24(QImage const& picture);

} // namespace make_assets
