#include "driver/dialogs.h"

#include "driver/program.h"

#include <dlgs.h>

#include <array>
#include <vector>

namespace driver {
namespace {

constexpr int MessageTextId = 0xFFFF;

std::vector<HWND> dialogs_of(DWORD thread)
{
    std::vector<HWND> found;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM list) {
            std::array<wchar_t, 16> name{};
            GetClassNameW(window, name.data(), static_cast<int>(name.size()));
            if (IsWindowVisible(window) && std::wstring_view(name.data()) == L"#32770")
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring text_of(HWND window)
{
    auto const length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    auto const copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

HWND file_name_edit(HWND dialog)
{
    if (HWND const edit = GetDlgItem(dialog, edt1))
        return edit;
    // Newer dialogs hold the box inside a ComboBoxEx's combo box.
    HWND const outer = GetDlgItem(dialog, cmb13);
    HWND const inner = outer != nullptr ? FindWindowExW(outer, nullptr, L"ComboBox", nullptr) : nullptr;
    HWND const holder = inner != nullptr ? inner : outer;
    return holder != nullptr ? FindWindowExW(holder, nullptr, L"Edit", nullptr) : nullptr;
}

// The button Enter presses is the one drawn as the default.
int default_button(HWND box)
{
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND const button = GetDlgItem(box, id);
        if (button != nullptr && (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return id;
    }
    return 0;
}

// Returns once the thread has taken a message sent now: a handler that was still running when its dialog closed, a
// save writing its file, has returned to a message loop by then.
bool thread_caught_up(DWORD thread)
{
    HWND any = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&any));
    DWORD_PTR result = 0;
    return any != nullptr && SendMessageTimeoutW(any, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result) != 0;
}

} // namespace

std::optional<MessageBoxSeen> wait_for_message_box(DWORD thread)
{
    HWND box = nullptr;
    if (!wait_until([&] {
            for (HWND dialog : dialogs_of(thread))
                if (GetDlgItem(dialog, MessageTextId) != nullptr)
                    box = dialog;
            return box != nullptr;
        }))
        return std::nullopt;
    return MessageBoxSeen{box, text_of(box), text_of(GetDlgItem(box, MessageTextId)), default_button(box)};
}

HWND wait_for_file_dialog(DWORD thread)
{
    HWND found = nullptr;
    (void)wait_until([&] {
        for (HWND dialog : dialogs_of(thread))
            if (file_name_edit(dialog) != nullptr)
                found = dialog;
        return found != nullptr;
    });
    return found;
}

bool wait_until_no_dialog(DWORD thread)
{
    // A dialog that closes can be followed by another, or by the work it was for: the thread is checked again once it
    // has caught up.
    return wait_until(
        [&] { return dialogs_of(thread).empty() && thread_caught_up(thread) && dialogs_of(thread).empty(); });
}

void press_button(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring file_name_box(HWND dialog)
{
    return text_of(file_name_edit(dialog));
}

void confirm_file_name(HWND dialog, std::wstring const& name)
{
    SendMessageW(file_name_edit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    press_button(dialog, IDOK);
}

std::vector<std::wstring> file_types(HWND dialog)
{
    HWND const list = GetDlgItem(dialog, cmb1);
    std::vector<std::wstring> types;
    auto const count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (WPARAM item = 0; static_cast<LRESULT>(item) < count; ++item) {
        auto const length = SendMessageW(list, CB_GETLBTEXTLEN, item, 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        auto const copied = SendMessageW(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        types.push_back(text);
    }
    return types;
}

} // namespace driver
