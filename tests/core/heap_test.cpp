#include "runtime/heap.h"
#include "runtime/release_routine.h"
#include "runtime/text.h"
#include "tests/core/fatal_exit_status.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

constexpr auto Max = std::numeric_limits<std::size_t>::max();

// A total that does not fit is a request that cannot be met, never a wrapped small one.
TEST(HeapDeathTest, OverflowingTotalsEndTheProgram)
{
    EXPECT_EXIT((void)runtime::heap_total(Max, 1), testing::ExitedWithCode(fatal_exit_status),
                "分配 18446744073709551615 字节内存失败!");
    EXPECT_EXIT((void)runtime::heap_total({Max / 2, Max / 2, 2}), testing::ExitedWithCode(fatal_exit_status),
                "分配 18446744073709551615 字节内存失败!");
    EXPECT_EXIT((void)runtime::Text::with_size(Max), testing::ExitedWithCode(fatal_exit_status),
                "分配 18446744073709551615 字节内存失败!");
    EXPECT_EQ(runtime::heap_total({Max - 3, 1, 2}), Max - 0);
}

TEST(HeapDeathTest, FailedRequestReportsItsFullCountAndSkipsTheReleaseRoutine)
{
    EXPECT_EXIT(
        {
            runtime::register_release_routine([] { std::fputs("released\n", stderr); });
            runtime::testing::fail_requests_from(std::size_t{5} << 32);
            (void)runtime::heap_allocate(std::size_t{5} << 32);
        },
        testing::ExitedWithCode(fatal_exit_status), "^分配 21474836480 字节内存失败!\n$");
}

TEST(ReleaseRoutine, RunsOnceAtTheNormalEnd)
{
    static int calls = 0;
    runtime::register_release_routine([] { ++calls; });
    runtime::call_release_routine();
    runtime::call_release_routine();
    EXPECT_EQ(calls, 1);
}

} // namespace
