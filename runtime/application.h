#pragma once

// The program's life: start-up, the main window, the message loop and shut-down.

#include <span>
#include <string_view>

namespace runtime {

using EntryRoutine = int (*)();
using ClickHandler = void (*)();

// Which handler a button's click reaches.
struct ClickBinding {
    std::string_view control;
    ClickHandler handler;
};

// Starts the run time (the program folder becomes the current directory), calls the entry routine, then calls
// the registered release routine and returns the exit status: the code of the quit request that ended the loop.
// The command line is not looked at.
[[nodiscard]] int application_start(int argc, char** argv, EntryRoutine entry_routine);

// Builds the main window from its stored layout with these click bindings, shows and activates it. Returns only
// on success; otherwise "载入启动窗口失败" ends the program.
void load_startup_window(std::span<ClickBinding const> bindings);

// Returns once the last loaded window has been destroyed.
void run_message_loop();

} // namespace runtime
