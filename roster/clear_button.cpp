#include "roster/handlers.h"
#include "runtime/controls.h"
#include "ui/layout.h"

#include <array>

namespace roster {

void clear_button_click()
{
    static runtime::Text const empty;
    for (auto box : {ui::control::RosterBox, ui::control::NameBox, ui::control::AgeBox, ui::control::QqBox})
        runtime::write_content(box, empty);
}

} // namespace roster
