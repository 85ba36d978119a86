#pragma once

namespace shell {

// Set-up, release routine, main window, message loop; returns 0 once the loop has ended.
int entry_routine();

// The Close button's click: the main window goes once this handler has returned.
void close_button_click();

} // namespace shell
