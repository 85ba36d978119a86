#pragma once

// The run-time operations that the click handlers use to reach the main window. Each toolkit's run time defines
// them; a control is addressed by its name in the stored layout (ui/layout.h).

#include "runtime/text.h"

#include <string_view>

namespace runtime {

// An edit box's whole text, or the sex box's selected item; absent when empty.
[[nodiscard]] Text read_content(std::string_view control);

// Replaces an edit box's whole text by exactly these bytes. Nothing is cut or converted.
void write_content(std::string_view control, Text const& text);

// Adds the bytes at the end of an edit box's text, as write_content(read + text) would, without rewriting what is
// there, and shows the end with the caret there. Leaves nothing to undo, as a whole-text write would.
void append_content(std::string_view control, Text const& text);

// Destroys the main window once the current handler has returned.
void destroy_main_window();

} // namespace runtime
