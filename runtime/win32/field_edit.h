#pragma once

#include <windows.h>

#include <string_view>

namespace runtime::win32 {

// Makes a single-line edit box keep to the program's rules. A typed-character filter, where it has one (UTF-8),
// drops typed characters outside its set; control keys always pass and pasted text is not filtered. Pasted text is
// cut at its first line break, so no field can split a line.
void make_field_edit(HWND edit, std::string_view typed_filter);

} // namespace runtime::win32
