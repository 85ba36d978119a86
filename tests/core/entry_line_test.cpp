#include "roster/concatenation.h"
#include "roster/entry_line.h"
#include "runtime/heap.h"
#include "tests/core/fatal_exit_status.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace std::string_view_literals;

namespace {

struct EntryLineCase {
    char const* what;
    roster::Person person;
    std::string_view expected;
};

// GBK bytes: 张三 D5C5 C8FD, 男 C4D0, 女 C5AE.
constexpr auto EntryLineCases = std::array{
    EntryLineCase{.what = "empty boxes, sex untouched",
                  .person = {.name = "", .sex = "\xC4\xD0", .age = "", .qq = ""},
                  .expected =
                      "\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\x20\x20\x20\xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0\x20\x20\xC4\xEA"
                      "\xC1\xE4\xA3\xBA\x20\x20\x51\x51\xBA\xC5\xA3\xBA\x0D\x0A"sv},
    EntryLineCase{.what = "a person",
                  .person = {.name = "\xD5\xC5\xC8\xFD", .sex = "\xC5\xAE", .age = "20", .qq = "123"},
                  .expected =
                      "  \xD0\xD5\xC3\xFB\xA3\xBA\xD5\xC5\xC8\xFD   \xD0\xD4\xB1\xF0\xA3\xBA\xC5\xAE  \xC4\xEA\xC1\xE4"
                      "\xA3\xBA"
                      "20  QQ\xBA\xC5\xA3\xBA"
                      "123\r\n"sv},
    EntryLineCase{.what = "spaces around the fields are kept",
                  .person = {.name = " a ", .sex = "\xC4\xD0", .age = " 7", .qq = "9 "},
                  .expected =
                      "  \xD0\xD5\xC3\xFB\xA3\xBA a    \xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0  \xC4\xEA\xC1\xE4\xA3\xBA 7"
                      "  QQ\xBA\xC5\xA3\xBA"
                      "9 \r\n"sv},
    EntryLineCase{.what = "a NUL inside a field does not cut the line",
                  .person = {.name = "a\0b"sv, .sex = "\xC4\xD0", .age = "", .qq = "-"},
                  .expected =
                      "  \xD0\xD5\xC3\xFB\xA3\xBA"
                      "a\0b   \xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0  \xC4\xEA\xC1\xE4\xA3\xBA  QQ\xBA\xC5\xA3\xBA-\r\n"sv},
};

TEST(EntryLine, JoinsLabelsAndFieldsByteForByte)
{
    for (EntryLineCase const& test : EntryLineCases) {
        runtime::Text const line = roster::entry_line(test.person);
        EXPECT_EQ(line.bytes(), test.expected) << test.what;
        EXPECT_EQ(line.data()[line.size()], '\0') << test.what;
    }
    EXPECT_EQ(roster::entry_line(EntryLineCases[0].person).size(), 37U);
    EXPECT_EQ(roster::entry_line(EntryLineCases[1].person).size(), 46U);
}

TEST(Concatenation, EmptyAndAbsentPartsGiveTheEmptyTextNotAnAbsentOne)
{
    runtime::Text const absent;
    runtime::Text const joined = roster::concatenate({absent.bytes(), "", absent.bytes()});
    EXPECT_FALSE(joined.absent());
    EXPECT_EQ(joined.size(), 0U);
    EXPECT_EQ(joined.data()[0], '\0');
}

TEST(Concatenation, KeepsPartOrderWithNothingBetween)
{
    EXPECT_EQ(roster::concatenate({"abc", "", "\xC4\xD0", "\r\n"}).bytes(), "abc\xC4\xD0\r\n"sv);
}

class ConcatenationDeathTest : public testing::Test {
  protected:
    void TearDown() override { runtime::testing::fail_requests_from(0); }
};

// One block of exactly the parts' sum plus the NUL: a heap that fails from sum + 2 bytes on still serves it, one
// that fails from sum + 1 ends the program naming that count.
TEST_F(ConcatenationDeathTest, TakesOneBlockOfExactlyTheSumPlusOne)
{
    runtime::testing::fail_requests_from(10);
    EXPECT_EQ(roster::concatenate({"abc", "de", "fgh"}).size(), 8U);
    runtime::testing::fail_requests_from(9);
    EXPECT_EXIT((void)roster::concatenate({"abc", "de", "fgh"}), testing::ExitedWithCode(fatal_exit_status),
                "分配 9 字节内存失败!");
}

} // namespace
