#pragma once

// Text at the Win32 API's edge: the system holds UTF-16 in wchar_t, the program GB18030 bytes, converted by the
// program's own codec so that the ANSI code page plays no part. The layout's texts are UTF-8.

#include "runtime/text.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace runtime::win32 {

// Absent for the empty string, like a read of an empty box.
[[nodiscard]] Text to_text(std::wstring_view utf16);
[[nodiscard]] std::wstring from_gb18030(std::string_view gb18030);
[[nodiscard]] std::wstring from_utf8(std::string_view utf8);

// A window's whole text.
[[nodiscard]] std::wstring window_text(HWND window);

} // namespace runtime::win32
