#pragma once

// Which handler each button's click reaches: the layout binds exactly these four events.

#include "roster/handlers.h"
#include "runtime/application.h"
#include "shell/entry_routine.h"

#include <array>

namespace shell {

inline constexpr auto ClickBindings = std::array{
    runtime::ClickBinding{"按钮1", roster::ok_button_click},
    runtime::ClickBinding{"按钮2", close_button_click},
    runtime::ClickBinding{"按钮3", roster::save_button_click},
    runtime::ClickBinding{"按钮4", roster::clear_button_click},
};

} // namespace shell
