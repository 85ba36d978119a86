#include "shell/entry_routine.h"

#include "roster/handlers.h"
#include "runtime/application.h"
#include "runtime/controls.h"
#include "runtime/release_routine.h"
#include "shell/global_data.h"

#include <array>

namespace shell {
namespace {
constexpr auto ClickBindings = std::array{
    runtime::ClickBinding{"按钮1", roster::ok_button_click},
    runtime::ClickBinding{"按钮2", close_button_click},
    runtime::ClickBinding{"按钮3", roster::save_button_click},
    runtime::ClickBinding{"按钮4", roster::clear_button_click},
};
} // namespace

int entry_routine()
{
    global_data_setup();
    runtime::register_release_routine(global_data_release);
    runtime::load_startup_window(ClickBindings);
    runtime::run_message_loop();
    return 0;
}

void close_button_click() { runtime::destroy_main_window(); }

} // namespace shell
