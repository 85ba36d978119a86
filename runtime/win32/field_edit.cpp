#include "runtime/win32/field_edit.h"

#include "runtime/win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace runtime::win32 {
namespace {

constexpr UINT_PTR FieldEditSubclass = 1;

bool is_line_break(wchar_t character)
{
    return character == L'\r' || character == L'\n' || character == L'\u2028' || character == L'\u2029';
}

// Backspace, Ctrl+letter commands and the like arrive as control characters; only printable ones are typing.
bool typeable(std::wstring const& filter, wchar_t character)
{
    bool const control = character < L' ' || character == L'\x7F';
    return filter.empty() || control || filter.find(character) != std::wstring::npos;
}

std::wstring clipboard_text(HWND owner)
{
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE const data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto const* units = static_cast<wchar_t const*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void paste_first_line(HWND edit)
{
    std::wstring text = clipboard_text(edit);
    text.erase(std::find_if(text.begin(), text.end(), is_line_break), text.end());
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK field_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data)
{
    auto const* filter = reinterpret_cast<std::wstring const*>(data);
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!typeable(*filter, static_cast<wchar_t>(wparam)))
            return 0;
        break;
    case WM_PASTE:
        paste_first_line(edit);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, field_procedure, FieldEditSubclass);
        delete filter;
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wparam, lparam);
}

} // namespace

void make_field_edit(HWND edit, std::string_view typed_filter)
{
    auto* filter = new std::wstring(from_utf8(typed_filter));
    SetWindowSubclass(edit, field_procedure, FieldEditSubclass, reinterpret_cast<DWORD_PTR>(filter));
}

} // namespace runtime::win32
