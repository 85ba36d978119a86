#pragma once

// The fatal error report ends the process with exit status -1. A Windows parent sees the -1 itself; a POSIX parent
// sees its low eight bits.
#ifdef _WIN32
inline constexpr int fatal_exit_status = -1;
#else
inline constexpr int fatal_exit_status = 255;
#endif
