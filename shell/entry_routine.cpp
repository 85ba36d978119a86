#include "shell/entry_routine.h"

#include "runtime/application.h"
#include "runtime/release_routine.h"
#include "shell/click_bindings.h"
#include "shell/global_data.h"

namespace shell {

int entry_routine()
{
    global_data_setup();
    runtime::register_release_routine(global_data_release);
    runtime::load_startup_window(ClickBindings);
    runtime::run_message_loop();
    return 0;
}

} // namespace shell
