// OK and Clear on the real window: the entry line's bytes, added in place at the end of the roster.

#include "driver/program.h"
#include "driver/programs.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using driver::Program;
namespace control = ui::control;

struct EntryCase {
    wchar_t const* name;
    int sex; // the item picked: 0 男, 1 女
    wchar_t const* age;
    wchar_t const* qq;
    std::string line;
};

std::string const EmptyMaleLine{"\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\x20\x20\x20\xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0\x20\x20"
                                "\xC4\xEA\xC1\xE4\xA3\xBA\x20\x20\x51\x51\xBA\xC5\xA3\xBA\x0D\x0A"};

std::array const EntryCases{
    EntryCase{L"", 0, L"", L"", EmptyMaleLine},
    EntryCase{L"张三", 1, L"20", L"123",
              "\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\xD5\xC5\xC8\xFD\x20\x20\x20\xD0\xD4\xB1\xF0\xA3\xBA\xC5\xAE\x20\x20"
              "\xC4\xEA\xC1\xE4\xA3\xBA\x32\x30\x20\x20\x51\x51\xBA\xC5\xA3\xBA\x31\x32\x33\x0D\x0A"},
    // Field texts go in as they are: spaces kept, and a character outside GBK in its GB18030 form.
    EntryCase{L" 李 ", 0, L"x", L"8-8",
              "\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\x20\xC0\xEE\x20\x20\x20\x20\xD0\xD4\xB1\xF0"
              "\xA3\xBA\xC4\xD0\x20\x20\xC4\xEA\xC1\xE4\xA3\xBA\x78\x20\x20\x51\x51\xBA"
              "\xC5\xA3\xBA\x38\x2D\x38\x0D\x0A"},
    EntryCase{L"😀", 0, L"", L"",
              "\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\x94\x39\xFC\x36\x20\x20\x20\xD0\xD4\xB1\xF0\xA3"
              "\xBA\xC4\xD0\x20\x20\xC4\xEA\xC1\xE4\xA3\xBA\x20\x20\x51\x51\xBA\xC5\xA3\xBA\x0D"
              "\x0A"},
};

TEST(OkButton, AddsEachEntryLineAtTheEndOfTheRoster)
{
    Program program(driver::brisvale_path());
    ASSERT_TRUE(program.started());
    ASSERT_EQ(EntryCases[0].line.size(), 37u);
    ASSERT_EQ(EntryCases[1].line.size(), 46u);
    // Text typed by hand without a line end of its own is followed directly by the next line.
    program.set_text(control::RosterBox, L"手写");
    std::string roster = "\xCA\xD6\xD0\xB4";
    for (EntryCase const& entry : EntryCases) {
        program.set_text(control::NameBox, entry.name);
        program.select_item(control::SexBox, entry.sex);
        program.set_text(control::AgeBox, entry.age);
        program.set_text(control::QqBox, entry.qq);
        program.click("按钮1");
        roster += entry.line;
        EXPECT_EQ(program.roster_bytes(), roster) << "after the line for \"" << entry.line << "\"";
    }
}

TEST(OkButton, LeavesTheCaretAndTheViewAtTheEndAndNothingToUndo)
{
    Program program(driver::brisvale_path());
    ASSERT_TRUE(program.started());
    HWND const roster = program.control(control::RosterBox);
    constexpr int Clicks = 40; // more lines than the box shows
    for (int click = 0; click < Clicks; ++click)
        program.click("按钮1");
    auto const length = static_cast<DWORD>(SendMessageW(roster, WM_GETTEXTLENGTH, 0, 0));
    auto const selection = static_cast<DWORD>(SendMessageW(roster, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), LOWORD(length));
    EXPECT_EQ(HIWORD(selection), LOWORD(length));
    EXPECT_GT(SendMessageW(roster, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageW(roster, EM_CANUNDO, 0, 0), FALSE);
}

TEST(ClearButton, EmptiesTheRosterAndTheTextBoxesButKeepsTheSex)
{
    Program program(driver::brisvale_path());
    ASSERT_TRUE(program.started());
    program.set_text(control::NameBox, L"张三");
    program.select_item(control::SexBox, 1);
    program.set_text(control::AgeBox, L"20");
    program.set_text(control::QqBox, L"123");
    program.click("按钮1");
    program.click("按钮4");
    for (auto box : {control::RosterBox, control::NameBox, control::AgeBox, control::QqBox})
        EXPECT_EQ(program.text(box), L"") << box;
    EXPECT_EQ(program.selected_item(control::SexBox), 1);
    EXPECT_EQ(program.text(control::SexBox), L"女");
}

} // namespace
