#pragma once

// The run-time operations that the click handlers use to reach the main window. Each toolkit's run time defines
// them; a control is addressed by its name in the stored layout (ui/layout.h).

#include "runtime/text.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace runtime {

// An edit box's whole text, or the sex box's selected item; absent when empty.
[[nodiscard]] Text read_content(std::string_view control);

// Calls `use` with the same bytes read_content would give, lent only for the length of the call: where the box
// holds its text as those bytes already, a long roster is used without a copy of it.
void use_content(std::string_view control, std::function<void(std::string_view bytes)> const& use);

// Replaces an edit box's whole text by exactly these bytes. Nothing is cut or converted.
void write_content(std::string_view control, Text const& text);

// Adds the bytes at the end of an edit box's text, as write_content(read + text) would, without rewriting what is
// there, and shows the end with the caret there. Leaves nothing to undo, as a whole-text write would.
void append_content(std::string_view control, Text const& text);

// Destroys the main window once the current handler has returned.
void destroy_main_window();

// Shows the save dialog modally over the main window, starting at the last confirmed name. True once the user has
// confirmed a name, which the dialog then holds; false, with the name unchanged, when cancelled or failed.
[[nodiscard]] bool show_file_dialog(std::string_view control);
// The last confirmed full path; empty before the first.
[[nodiscard]] std::filesystem::path file_dialog_name(std::string_view control);

// A question with Yes and No over the main window, No the default; true for Yes. The texts are UTF-8.
[[nodiscard]] bool ask_yes_no(std::string_view title, std::string_view question);
// An error message with the stop icon and one OK button over the main window.
void show_error(std::string_view title, std::string_view message);

} // namespace runtime
