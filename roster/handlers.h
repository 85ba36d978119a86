#pragma once

// The click handlers of the roster buttons. Each takes nothing, keeps nothing between clicks, and reaches the
// window only through the run-time operations in runtime/controls.h.

namespace roster {

// OK: one entry line from the name, sex, age and QQ boxes, added at the end of the roster.
void ok_button_click();

// Clear: the roster box and the name, age and QQ boxes emptied; the sex box keeps its item.
void clear_button_click();

// Save: the roster's bytes written to the file the user names.
void save_button_click();

} // namespace roster
