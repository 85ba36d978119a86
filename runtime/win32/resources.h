#pragma once

// The program's own resources (brisvale.rc.in): the button pictures and the window icons.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace runtime::win32 {

// A picture asset's resource name: the file name upper case with "_" for ".", so ok.bmp is OK_BMP.
[[nodiscard]] std::wstring resource_name(std::string_view asset_file);

// The picture of that asset file name; null for an empty name or a picture the program does not hold.
[[nodiscard]] HBITMAP load_picture(std::string_view asset_file);

struct WindowIcons {
    HICON big = nullptr;
    HICON small = nullptr;
};

// The images of the program's icon group (DEFAULT_ICON, made from the layout's icon file) that
// ui::choose_window_icons picks; nothing when the group is missing or unreadable.
[[nodiscard]] std::optional<WindowIcons> load_window_icons();

} // namespace runtime::win32
