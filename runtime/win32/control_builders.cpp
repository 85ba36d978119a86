#include "runtime/win32/control_builders.h"

#include "runtime/win32/field_edit.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/window_names.h"

#include <uxtheme.h>

#include <algorithm>
#include <array>

namespace runtime::win32 {
namespace {

struct ControlClass {
    wchar_t const* name;
    DWORD style;
    DWORD extended_style;
    bool classic_look; // visual styles would flatten its sunken edge or ignore its colours
};

// Labels centre their one line vertically, as the program has always drawn them; "&" is no mnemonic in a name.
constexpr ControlClass LabelClass{L"STATIC", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, false};
constexpr ControlClass FieldClass{L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true};
// Both scroll bars and no wrapping; Enter types a line end.
constexpr ControlClass RosterClass{
    L"EDIT", ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL,
    WS_EX_CLIENTEDGE, true};
constexpr ControlClass DropDownListClass{L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, true};
// The button paints itself (picture_button.h), so no theme frames it.
constexpr ControlClass PictureButtonClass{L"BUTTON", BS_OWNERDRAW, 0, false};

ControlClass const& control_class(ui::ControlRecord const& record)
{
    switch (record.kind) {
    case ui::ControlKind::EditBox:
        return record.multi_line ? RosterClass : FieldClass;
    case ui::ControlKind::ComboBox:
        return DropDownListClass;
    case ui::ControlKind::Button:
        return PictureButtonClass;
    case ui::ControlKind::Label:
    case ui::ControlKind::FileDialog:
        break;
    }
    return LabelClass;
}

void set_up_edit_box(HWND edit, ui::ControlRecord const& record)
{
    if (record.multi_line) {
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0); // 0 lifts the default 32767-character limit to the most
        return;
    }
    if (record.max_length > 0)
        SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(record.max_length), 0);
    make_field_edit(edit, record.typed_filter);
}

// The stored height covers the list as well; the box's window gets the field's height from its font plus a list
// tall enough for every item.
void set_up_drop_down_list(HWND combo, ui::ControlRecord const& record)
{
    int count = 0;
    for (std::string_view item : record.items) {
        if (item.empty())
            continue;
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(from_utf8(item).c_str()));
        ++count;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(std::clamp(record.selected, -1, count - 1)), 0);
    // List items one pixel taller than the system's own.
    auto const item_height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0)) + 1;
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, item_height);
    auto const field_height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    constexpr int FramesAroundFieldAndList = 8;
    int const height = std::max(record.rect.height, field_height + count * item_height + FramesAroundFieldAndList);
    SetWindowPos(combo, nullptr, 0, 0, record.rect.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

HWND build_control(ui::ControlRecord const& record, std::size_t index, HWND window, HFONT font)
{
    if (record.kind == ui::ControlKind::FileDialog)
        return nullptr;
    ControlClass const& kind = control_class(record);
    DWORD style = WS_CHILD | kind.style;
    if (record.visible)
        style |= WS_VISIBLE;
    if (record.tab_stop)
        style |= WS_TABSTOP;
    if (!record.enabled)
        style |= WS_DISABLED;
    HWND const control = CreateWindowExW(kind.extended_style, kind.name, from_utf8(record.text).c_str(), style,
                                         record.rect.left, record.rect.top, record.rect.width, record.rect.height,
                                         window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id(index))),
                                         GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr)
        return nullptr;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (kind.classic_look)
        SetWindowTheme(control, L"", L"");
    if (record.kind == ui::ControlKind::EditBox)
        set_up_edit_box(control, record);
    else if (record.kind == ui::ControlKind::ComboBox)
        set_up_drop_down_list(control, record);
    return control;
}

} // namespace runtime::win32
