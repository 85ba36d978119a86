#include "runtime/win32/keyboard.h"

#include "runtime/win32/main_window.h"
#include "ui/keyboard.h"

#include <optional>

namespace runtime::win32 {
namespace {

bool key_down(int key)
{
    return GetKeyState(key) < 0;
}

std::optional<ui::Key> layout_key(MSG const& message)
{
    if (message.message != WM_KEYDOWN)
        return std::nullopt;
    switch (message.wParam) {
    case VK_TAB:
        // Ctrl+Tab and Alt+Tab belong to the controls and the desktop.
        if (key_down(VK_CONTROL) || key_down(VK_MENU))
            return std::nullopt;
        return key_down(VK_SHIFT) ? ui::Key::Backtab : ui::Key::Tab;
    case VK_RETURN:
        return ui::Key::Enter;
    case VK_F1:
        return ui::Key::F1;
    default:
        return std::nullopt;
    }
}

} // namespace

bool apply_keyboard_rules(MSG const& message)
{
    MainWindow* main = MainWindow::loaded();
    auto const key = layout_key(message);
    if (main == nullptr || !key || GetAncestor(message.hwnd, GA_ROOT) != main->window())
        return false;
    auto const index = main->control_holding(message.hwnd);
    ui::ControlRecord const* record = index ? &ui::MainWindowControls[*index] : nullptr;
    // A dropped-down list handles its own keys.
    if (record != nullptr && record->kind == ui::ControlKind::ComboBox &&
        SendMessageW(main->control_at(*index), CB_GETDROPPEDSTATE, 0, 0) != 0)
        return false;
    bool const in_roster_box = record != nullptr && record->kind == ui::ControlKind::EditBox && record->multi_line;
    return ui::apply_key_rule(*key, in_roster_box, [&](int step) { main->move_focus(step); });
}

} // namespace runtime::win32
