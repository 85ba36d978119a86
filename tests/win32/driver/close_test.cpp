// How the program ends: the Close button and the close box with exit status 0 and the release routine called
// once; a heap request that cannot be met through the fatal error box with exit status -1.

#include "driver/dialogs.h"
#include "driver/program.h"
#include "driver/programs.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using driver::Program;

// Standard output is in text mode: each line ends in CR LF.
constexpr char const* Released = "release routine called\r\n";

struct CloseCase {
    char const* what;
    std::function<void(Program const&)> close;
};

TEST(Close, BothPathsEndWithStatusZeroAndReleaseOnce)
{
    CloseCase const cases[] = {
        {"Close button",
         [](Program const& program) {
             program.click("按钮2");
         }},
        {"close box",
         [](Program const& program) {
             program.close_box();
         }},
    };
    for (CloseCase const& test : cases) {
        Program program(driver::probe_path());
        ASSERT_TRUE(program.started()) << test.what;
        test.close(program);
        EXPECT_EQ(program.wait_for_exit(), DWORD{0}) << test.what;
        EXPECT_EQ(program.output(), Released) << test.what;
    }
}

TEST(Close, FailedHeapRequestEndsThroughTheFatalErrorBox)
{
    // The empty entry line needs 37 bytes and its NUL.
    Program program(driver::probe_path(), {{L"BRISVALE_FAIL_REQUESTS_FROM", L"38"}});
    ASSERT_TRUE(program.started());
    program.click_later("按钮1");
    auto const box = driver::wait_for_message_box(program.thread());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"错误");
    EXPECT_EQ(box->text, L"分配 38 字节内存失败!");
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), nullptr);
    driver::press_button(box->window, IDOK);
    EXPECT_EQ(program.wait_for_exit(), DWORD{0xFFFFFFFF}); // -1
    EXPECT_EQ(program.output(), "分配 38 字节内存失败!\r\n") << "the release routine ran";
}

} // namespace
