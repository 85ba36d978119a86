// The program's life on the Win32 API: start-up, the main window, the message loop and shut-down.

#include "runtime/application.h"

#include "runtime/fatal.h"
#include "runtime/release_routine.h"
#include "runtime/win32/keyboard.h"
#include "runtime/win32/main_window.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

namespace runtime {
namespace {

int exit_status_ = 0;

// Converted without the heap, which may be what has just failed.
void show_fatal_error_box(std::string_view message_utf8)
{
    std::array<wchar_t, 1024> message{};
    MultiByteToWideChar(CP_UTF8, 0, message_utf8.data(), static_cast<int>(message_utf8.size()), message.data(),
                        static_cast<int>(message.size() - 1));
    MessageBoxW(nullptr, message.data(), L"错误", MB_ICONERROR | MB_OK);
}

void enter_program_folder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD const length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    SetCurrentDirectoryW(path.c_str());
}

} // namespace

int application_start(int, char**, EntryRoutine entry_routine)
{
    set_fatal_presenter(show_fatal_error_box);
    INITCOMMONCONTROLSEX const controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    enter_program_folder();
    entry_routine();
    call_release_routine();
    return exit_status_;
}

void load_startup_window(std::span<ClickBinding const> bindings)
{
    if (win32::MainWindow::create(bindings) == nullptr)
        fatal_error("载入启动窗口失败");
}

void run_message_loop()
{
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (win32::apply_keyboard_rules(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    exit_status_ = got == 0 ? static_cast<int>(message.wParam) : -1;
}

} // namespace runtime
