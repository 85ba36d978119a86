#pragma once

// How the main window and its controls are known to the system: the window class, and each control's id from its
// place in the stored layout (ui/layout.h). A program that drives the window from outside finds them the same way.

#include <cstddef> // size_t

namespace runtime::win32 {

inline constexpr wchar_t MainWindowClass[] = L"BrisvaleMainWindow";
inline constexpr int FirstControlId = 100;

[[nodiscard]] constexpr int control_id(std::size_t layout_index)
{
    return FirstControlId + static_cast<int>(layout_index);
}

} // namespace runtime::win32
