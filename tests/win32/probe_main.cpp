// The program as it ships, with what a test that watches the whole process needs: the release routine prints
// "release routine called" (tests/support/instrumented_global_data.cpp), and BRISVALE_FAIL_REQUESTS_FROM=N makes
// every heap request of N bytes or more fail.

#include "runtime/application.h"
#include "runtime/heap.h"
#include "shell/entry_routine.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    if (char const* from = std::getenv("BRISVALE_FAIL_REQUESTS_FROM"))
        runtime::testing::fail_requests_from(std::strtoull(from, nullptr, 10));
    return runtime::application_start(argc, argv, shell::entry_routine);
}
