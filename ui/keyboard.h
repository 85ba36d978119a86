#pragma once

// What the window does with a key before the focused control sees it.

#include <array>

namespace ui {

enum class Key { Tab, Backtab, Enter, F1, Other };
enum class KeyAction {
    FocusNext,     // to the next control of the focus order, from the last to the first
    FocusPrevious, // to the previous one, from the first to the last
    Swallow,       // nothing happens
    Deliver,       // the focused control handles it as usual
};

struct KeyRule {
    Key key;
    KeyAction in_roster_box; // the multi-line box
    KeyAction elsewhere;
};

// Esc is not listed: it reaches the focused control (an open drop-down list closes) and never closes the window.
// No button is a default button, so Enter presses nothing outside the roster box.
inline constexpr std::array KeyRules{
    KeyRule{Key::Tab, KeyAction::FocusNext, KeyAction::FocusNext},
    KeyRule{Key::Backtab, KeyAction::FocusPrevious, KeyAction::FocusPrevious},
    KeyRule{Key::Enter, KeyAction::Deliver, KeyAction::Swallow},
    KeyRule{Key::F1, KeyAction::Swallow, KeyAction::Swallow},
};

[[nodiscard]] constexpr KeyAction key_action(Key key, bool in_multi_line_box)
{
    for (KeyRule const& rule : KeyRules)
        if (rule.key == key)
            return in_multi_line_box ? rule.in_roster_box : rule.elsewhere;
    return KeyAction::Deliver;
}

// Carries out the key's action; true when the key is used up, false when the focused control should get it.
// `move_focus` takes +1 for the next control of the focus order, -1 for the previous one.
template <typename MoveFocus>
bool apply_key_rule(Key key, bool in_multi_line_box, MoveFocus const& move_focus)
{
    switch (key_action(key, in_multi_line_box)) {
    case KeyAction::FocusNext:
        move_focus(1);
        return true;
    case KeyAction::FocusPrevious:
        move_focus(-1);
        return true;
    case KeyAction::Swallow:
        return true;
    case KeyAction::Deliver:
        return false;
    }
    return false;
}

} // namespace ui
