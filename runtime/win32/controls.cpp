// The run-time operations of runtime/controls.h on Win32 controls.

#include "runtime/controls.h"

#include "runtime/win32/main_window.h"
#include "runtime/win32/wide_text.h"

#include <optional>

namespace runtime {
namespace {

struct Control {
    HWND window;
    ui::ControlRecord const& record;
};

std::optional<Control> control_of(std::string_view name)
{
    win32::MainWindow const* main = win32::MainWindow::loaded();
    auto const index = win32::MainWindow::control_index(name);
    if (main == nullptr || !index || main->control_at(*index) == nullptr)
        return std::nullopt;
    return Control{main->control_at(*index), ui::MainWindowControls[*index]};
}

Text selected_item(HWND combo)
{
    LRESULT const selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return {};
    auto const index = static_cast<WPARAM>(selected);
    LRESULT const length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0)
        return {};
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT const copied = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return win32::to_text(item);
}

} // namespace

Text read_content(std::string_view name)
{
    auto const control = control_of(name);
    if (!control)
        return {};
    if (control->record.kind == ui::ControlKind::ComboBox)
        return selected_item(control->window);
    return win32::to_text(win32::window_text(control->window));
}

// A system edit box holds UTF-16, so its bytes are made for the call.
void use_content(std::string_view name, std::function<void(std::string_view bytes)> const& use)
{
    use(read_content(name).bytes());
}

void write_content(std::string_view name, Text const& text)
{
    auto const control = control_of(name);
    // Setting an edit box's text leaves nothing to undo; the sex box keeps its item.
    if (control && control->record.kind == ui::ControlKind::EditBox)
        SetWindowTextW(control->window, win32::from_gb18030(text.bytes()).c_str());
}

void append_content(std::string_view name, Text const& text)
{
    auto const control = control_of(name);
    if (!control || control->record.kind != ui::ControlKind::EditBox)
        return;
    // In place at the end: what is there is not read or rewritten, so the cost does not grow with the roster.
    auto const end = static_cast<WPARAM>(GetWindowTextLengthW(control->window));
    SendMessageW(control->window, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(control->window, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(win32::from_gb18030(text.bytes()).c_str()));
    SendMessageW(control->window, EM_SCROLLCARET, 0, 0);
}

void destroy_main_window()
{
    // A second request made before the first is served finds the window gone and changes nothing.
    if (win32::MainWindow const* main = win32::MainWindow::loaded())
        main->post_destroy_request();
}

} // namespace runtime
