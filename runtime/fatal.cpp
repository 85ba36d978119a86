#include "runtime/fatal.h"

#include "runtime/release_routine.h"

#include <cstdio>
#include <cstdlib>

namespace runtime {
namespace {
FatalPresenter presenter_ = nullptr;
bool reporting_ = false;
} // namespace

void set_fatal_presenter(FatalPresenter presenter) noexcept
{
    presenter_ = presenter;
}

void fatal_error(std::string_view message_utf8) noexcept
{
    forget_release_routine();
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message_utf8.size()), message_utf8.data());
    std::fflush(stderr);
    // A second failure while the box is up (the box itself may need memory) must not recurse into another box.
    if (presenter_ != nullptr && !reporting_) {
        reporting_ = true;
        presenter_(message_utf8);
    }
    // The toolkit's own clean-up cannot be trusted after an arbitrary failure deep inside an event; nothing of
    // it is observable, so end here. -1 is what the process reports; the parent sees it as 255.
    std::_Exit(-1);
}

} // namespace runtime
