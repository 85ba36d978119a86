#include "roster/entry_line.h"
#include "roster/handlers.h"
#include "runtime/controls.h"
#include "ui/layout.h"

namespace roster {

// The roster box is never read here: the line goes in place at its end, so a click costs the same whatever the
// roster's length, and the roster ends up byte for byte as reading it, joining and writing it all back would
// leave it.
void ok_button_click()
{
    runtime::Text const name = runtime::read_content(ui::control::NameBox);
    runtime::Text const sex = runtime::read_content(ui::control::SexBox);
    runtime::Text const age = runtime::read_content(ui::control::AgeBox);
    runtime::Text const qq = runtime::read_content(ui::control::QqBox);
    runtime::Text const line =
        entry_line({.name = name.bytes(), .sex = sex.bytes(), .age = age.bytes(), .qq = qq.bytes()});
    runtime::append_content(ui::control::RosterBox, line);
}

} // namespace roster
