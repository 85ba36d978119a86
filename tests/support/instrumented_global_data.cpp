// The program's set-up and release routines, made visible: a test that runs the program in a child process reads
// from its output whether the release routine was called.

#include "shell/global_data.h"

#include <cstdio>

namespace shell {

void global_data_setup() {}

void global_data_release()
{
    std::puts("release routine called");
    std::fflush(stdout);
}

} // namespace shell
