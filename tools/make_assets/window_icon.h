#pragma once

// The window icon's images, in the order the icon file lists them.

#include "ico_file.h"

#include <vector>

namespace make_assets {

[[nodiscard]] std::vector<IconImage> window_icon_images();

} // namespace make_assets
