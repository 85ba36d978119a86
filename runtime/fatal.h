#pragma once

// The fatal error report: the one way the program stops on a failure it cannot continue from.

#include <string_view>

namespace runtime {

// Shows a fatal error to the user and returns once it has been dismissed. The toolkit installs one at start-up;
// before that (or without one) the report goes to standard error only.
using FatalPresenter = void (*)(std::string_view message_utf8);

void set_fatal_presenter(FatalPresenter presenter) noexcept;

// Writes the message to standard error, shows it through the presenter, forgets the registered release routine
// without calling it and ends the process with exit status -1.
[[noreturn]] void fatal_error(std::string_view message_utf8) noexcept;

} // namespace runtime
