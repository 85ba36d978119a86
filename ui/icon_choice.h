#pragma once

// Which images of an icon file the window shows as its big and small icon.

#include <cstddef> // size_t
#include <optional>
#include <string_view>

namespace ui {

struct IconChoice {
    std::size_t big = 0; // index of the image in the icon file's directory
    std::size_t small = 0;
};

// The big icon is the first image, in directory order, that is 32 pixels wide and whose directory entry gives a
// colour count of 16 or more; the small icon is the first such image that is 16 pixels wide. Images of 256 colours
// or more give 0 there and are never chosen. Where no image matches, the last image is used. Returns nothing for
// bytes that are not an icon file with at least one image whose directory fits in the bytes.
[[nodiscard]] std::optional<IconChoice> choose_window_icons(std::string_view icon_file) noexcept;

} // namespace ui
