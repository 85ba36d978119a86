#pragma once

// Keyboard and clipboard input, as a user at the keyboard gives it: it reaches the window in front.

#include <windows.h>

#include <string>
#include <string_view>

namespace driver {

// Presses and releases a key, with Shift or Ctrl held where asked.
void press(WORD key, bool shift = false, bool control = false);
// Types each character as it is, whatever the keyboard layout.
void type(std::wstring_view text);
void put_on_clipboard(std::wstring const& text);

} // namespace driver
