#include "roster/handlers.h"
#include "roster/save_messages.h"
#include "roster/save_target.h"
#include "runtime/controls.h"
#include "ui/layout.h"

#include <optional>
#include <system_error>

namespace roster {

// A cancelled dialog saves nothing, the user is asked before an existing file is replaced, and a failed save is
// reported and leaves that file as it was.
void save_button_click()
{
    if (!runtime::show_file_dialog(ui::control::FileDialog))
        return;
    std::filesystem::path const target = save_target(runtime::file_dialog_name(ui::control::FileDialog));
    std::error_code ignored;
    bool const replaces_a_file =
        std::filesystem::exists(target, ignored) && !std::filesystem::is_directory(target, ignored);
    if (replaces_a_file && !runtime::ask_yes_no(ReplaceTitle, replace_question(target)))
        return;
    // The roster is written from where the box keeps it: a save needs no second copy of a long roster.
    std::optional<runtime::SaveFailure> failure;
    runtime::use_content(ui::control::RosterBox,
                         [&](std::string_view roster) { failure = runtime::write_file(target, roster); });
    if (failure)
        runtime::show_error(SaveFailedTitle, save_failure_message(target, *failure));
}

} // namespace roster
