#pragma once

// The dialogs the program shows during a save, found among its thread's windows and answered as a user would.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

struct MessageBoxSeen {
    HWND window;
    std::wstring title;
    std::wstring text;
    int default_button; // the control id of the button drawn as the default
};

// The message box the thread shows next; nothing when none appears.
[[nodiscard]] std::optional<MessageBoxSeen> wait_for_message_box(DWORD thread);
// The save dialog the thread shows next; null when none appears.
[[nodiscard]] HWND wait_for_file_dialog(DWORD thread);
// True once the thread shows no dialog, file dialog or message box, and has finished what the last one was for.
[[nodiscard]] bool wait_until_no_dialog(DWORD thread);

// Presses a dialog's button: IDOK, IDCANCEL, IDYES, IDNO.
void press_button(HWND dialog, int id);
// The save dialog's file-name box.
[[nodiscard]] std::wstring file_name_box(HWND dialog);
void confirm_file_name(HWND dialog, std::wstring const& name);
// The texts of the save dialog's file-type list.
[[nodiscard]] std::vector<std::wstring> file_types(HWND dialog);

} // namespace driver
