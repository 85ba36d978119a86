#pragma once

#include <windows.h>

namespace runtime::win32 {

// Applies the window's keyboard rules (ui/keyboard.h) to a message from the queue before it is translated and
// dispatched. True when the rule has handled the key and the message must go no further.
[[nodiscard]] bool apply_keyboard_rules(MSG const& message);

} // namespace runtime::win32
