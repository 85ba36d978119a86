#pragma once

#include "ui/layout.h"

#include <windows.h>

#include <cstddef> // size_t

namespace runtime::win32 {

// Creates the window of one control record (the one at this index of the stored layout) as a child of the main
// window, with its record's geometry, style, font and settings; its colours come from the main window's
// WM_CTLCOLOR* answers. Null for a control that is no window, or when the system cannot make it.
[[nodiscard]] HWND build_control(ui::ControlRecord const& record, std::size_t index, HWND window, HFONT font);

} // namespace runtime::win32
