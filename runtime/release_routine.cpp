#include "runtime/release_routine.h"

namespace runtime {
namespace {
ReleaseRoutine registered_ = nullptr;
} // namespace

void register_release_routine(ReleaseRoutine routine) noexcept
{
    registered_ = routine;
}

void call_release_routine() noexcept
{
    ReleaseRoutine routine = registered_;
    registered_ = nullptr;
    if (routine != nullptr)
        routine();
}

void forget_release_routine() noexcept
{
    registered_ = nullptr;
}

} // namespace runtime
