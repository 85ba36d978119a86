#include "runtime/controls.h"
#include "shell/entry_routine.h"

namespace shell {

void close_button_click()
{
    runtime::destroy_main_window();
}

} // namespace shell
