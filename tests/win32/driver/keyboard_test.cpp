// The keyboard on the real window: the focus order with Tab and Shift+Tab, Enter, Esc and F1, the QQ box's
// filter and length, and what a paste brings into a single-line box.

#include "driver/dialogs.h"
#include "driver/program.h"
#include "driver/programs.h"
#include "driver/user_input.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using driver::Program;
namespace control = ui::control;

// Every control that takes the focus, in creation order: no label, no file dialog.
constexpr std::array<char const*, 9> FocusOrder{"编辑框1", "按钮1", "按钮2", "编辑框2", "组合框1",
                                                "编辑框3", "按钮3", "按钮4", "编辑框4"};

class Keyboard : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.started());
        program_.bring_to_front();
        ASSERT_TRUE(driver::wait_until([&] { return program_.focused() == FocusOrder[0]; }))
            << "first focus: " << program_.focused();
    }

    // Types the text and waits until the box ends with it, which it does once every key before has been handled.
    void type_into_focused(std::string_view box, std::wstring const& marker)
    {
        driver::type(marker);
        EXPECT_TRUE(driver::wait_until([&] { return program_.text(box).ends_with(marker); }))
            << "the marker never arrived in " << box;
    }

    void tab_to(std::string_view name)
    {
        while (program_.focused() != name) {
            std::string const before = program_.focused();
            driver::press(VK_TAB);
            ASSERT_TRUE(driver::wait_until([&] { return program_.focused() != before; })) << "stuck at " << before;
        }
    }

    Program program_{driver::brisvale_path()};
};

TEST_F(Keyboard, TabAndShiftTabWalkTheFocusOrderAndWrapInEveryControl)
{
    for (std::size_t step = 1; step <= FocusOrder.size(); ++step) {
        driver::press(VK_TAB);
        char const* expected = FocusOrder[step % FocusOrder.size()];
        EXPECT_TRUE(driver::wait_until([&] { return program_.focused() == expected; }))
            << "Tab " << step << " reached " << program_.focused() << ", not " << expected;
    }
    for (std::size_t step = 1; step <= FocusOrder.size(); ++step) {
        driver::press(VK_TAB, true);
        char const* expected = FocusOrder[(FocusOrder.size() - step) % FocusOrder.size()];
        EXPECT_TRUE(driver::wait_until([&] { return program_.focused() == expected; }))
            << "Shift+Tab " << step << " reached " << program_.focused() << ", not " << expected;
    }
    EXPECT_EQ(program_.text(control::RosterBox), L"") << "Tab went into the roster box as text";
}

TEST_F(Keyboard, EnterTypesALineEndInTheRosterBoxAndPressesNothingElsewhere)
{
    driver::press(VK_RETURN);
    type_into_focused(control::NameBox, L"x");
    EXPECT_EQ(program_.text(control::NameBox), L"x");
    tab_to("按钮1");
    driver::press(VK_RETURN);
    tab_to(control::RosterBox);
    EXPECT_EQ(program_.text(control::RosterBox), L"") << "Enter on a button clicked it";
    driver::type(L"a");
    driver::press(VK_RETURN);
    type_into_focused(control::RosterBox, L"b");
    EXPECT_EQ(program_.text(control::RosterBox), L"a\r\nb");
}

TEST_F(Keyboard, EscAndF1DoNothing)
{
    driver::press(VK_ESCAPE);
    driver::press(VK_F1);
    type_into_focused(control::NameBox, L"y");
    EXPECT_TRUE(IsWindowVisible(program_.window()));
    EXPECT_EQ(program_.focused(), FocusOrder[0]);
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
}

TEST_F(Keyboard, FocusComesBackToItsControlWhenTheWindowIsActivatedAgain)
{
    tab_to(control::AgeBox);
    HWND const other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(driver::wait_until([&] { return GetForegroundWindow() == other; }));
    program_.bring_to_front();
    EXPECT_TRUE(driver::wait_until([&] { return program_.focused() == control::AgeBox; }))
        << "focus after activation: " << program_.focused();
    DestroyWindow(other);
}

TEST_F(Keyboard, QqBoxTakesDigitsAndDashesUpToTenCharacters)
{
    driver::press(VK_TAB, true); // from the first control back to the last, the QQ box
    ASSERT_TRUE(driver::wait_until([&] { return program_.focused() == control::QqBox; }));
    driver::type(L"1a2-3b 汉");
    type_into_focused(control::QqBox, L"9");
    EXPECT_EQ(program_.text(control::QqBox), L"12-39");
    driver::type(L"0123456789");
    driver::press(VK_BACK);
    type_into_focused(control::QqBox, L"-");
    EXPECT_EQ(program_.text(control::QqBox), L"12-390123-"); // ten, one taken back, one more
}

struct PasteCase {
    std::string_view box;
    wchar_t const* clipboard;
    wchar_t const* pasted;
};

// Pasted text is not filtered, and stops at its first line break of any kind.
constexpr std::array PasteCases{
    PasteCase{ui::control::NameBox, L"张三\r\n李四", L"张三"},
    PasteCase{ui::control::NameBox, L"a\nb", L"a"},
    PasteCase{ui::control::NameBox, L"a\rb", L"a"},
    PasteCase{ui::control::NameBox, L"a\u2028b", L"a"},
    PasteCase{ui::control::QqBox, L"ab-1\r\n2", L"ab-1"},
    PasteCase{ui::control::QqBox, L"12345678901234", L"1234567890"},
};

TEST_F(Keyboard, PasteIsCutAtTheFirstLineBreakAndNotFiltered)
{
    for (PasteCase const& paste : PasteCases) {
        tab_to(paste.box);
        program_.set_text(paste.box, L"");
        driver::put_on_clipboard(paste.clipboard);
        driver::press('V', false, true);
        (void)driver::wait_until([&] { return program_.text(paste.box) == paste.pasted; });
        EXPECT_EQ(program_.text(paste.box), paste.pasted) << paste.box;
    }
}

} // namespace
