#pragma once

// The global-data release routine that the program hands to the run time at start-up.

namespace runtime {

using ReleaseRoutine = void (*)();

void register_release_routine(ReleaseRoutine routine) noexcept;

// At a normal end: calls the registered routine, if any, and forgets it, so it runs at most once.
void call_release_routine() noexcept;

// After a run-time error: forgets the routine without calling it.
void forget_release_routine() noexcept;

} // namespace runtime
