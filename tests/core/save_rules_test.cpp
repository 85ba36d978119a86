// The toolkit-free rules of a save: which file is written, how the dialog's filter text splits, what the user is
// told.

#include "roster/save_messages.h"
#include "roster/save_target.h"
#include "ui/file_filter.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

struct TargetCase {
    char const* confirmed;
    char const* written;
};

constexpr auto TargetCases = std::array{
    TargetCase{"/home/a/roster", "/home/a/roster.txt"},
    TargetCase{"/home/a/roster.txt", "/home/a/roster.txt"},
    TargetCase{"/home/a/roster.TxT", "/home/a/roster.TxT"},
    TargetCase{"/home/a/roster.csv", "/home/a/roster.csv.txt"},
    TargetCase{"/home/a/roster.txt.bak", "/home/a/roster.txt.bak.txt"},
    TargetCase{"/home/a/txt", "/home/a/txt.txt"},
    TargetCase{"/home/a/.txt", "/home/a/.txt"},
    TargetCase{"名单", "名单.txt"},
    TargetCase{"/home/a/名单.ＴＸＴ", "/home/a/名单.ＴＸＴ.txt"}, // full-width letters are not ASCII
};

TEST(SaveTarget, AddsTxtUnlessTheNameEndsInItInAnyAsciiCase)
{
    for (TargetCase const& test : TargetCases)
        EXPECT_EQ(roster::save_target(test.confirmed).native(), test.written) << test.confirmed;
}

struct FilterCase {
    char const* what;
    std::string_view text;
    std::vector<ui::FilterEntry> entries;
};

TEST(FileFilter, SplitsDescriptionAndPatternPairs)
{
    std::vector<FilterCase> const cases{
        {"the stored filter is one entry with an empty pattern",
         ui::MainFileDialog.filter,
         {{std::string(ui::MainFileDialog.filter), ""}}},
        {"pairs", "Text|*.txt|All|*.*", {{"Text", "*.txt"}, {"All", "*.*"}}},
        {"trailing white space dropped", "Text|*.txt \t\r\n", {{"Text", "*.txt"}}},
        {"already ends in ||", "Text|*.txt||", {{"Text", "*.txt"}}},
        {"ends at the first empty description", "A|a||B|b", {{"A", "a"}}},
        // 0x7C is "|" and also a trail byte: after a lead byte it belongs to the character.
        {"| as a double-byte trail byte", "\x81\x7C|x", {{"\x81\x7C", "x"}}},
        {"empty", "", {}},
        {"only white space", " \r\n", {}},
    };
    for (FilterCase const& test : cases) {
        std::vector<ui::FilterEntry> const entries = ui::file_filter_entries(test.text);
        ASSERT_EQ(entries.size(), test.entries.size()) << test.what;
        for (std::size_t at = 0; at < entries.size(); ++at) {
            EXPECT_EQ(entries[at].description, test.entries[at].description) << test.what;
            EXPECT_EQ(entries[at].pattern, test.entries[at].pattern) << test.what;
        }
    }
}

TEST(FileFilter, NegativeInitialEntryCountsAsTheFirst)
{
    EXPECT_EQ(ui::initial_filter_entry(-3), 0);
    EXPECT_EQ(ui::initial_filter_entry(1), 1);
}

TEST(SaveMessages, NameTheFileTheReasonAndTheCode)
{
    using runtime::SaveFailureKind;
    for (roster::SaveFailureReason const& entry : roster::SaveFailureReasons) {
        std::string const message = roster::save_failure_message("/home/张三/名单.txt", {entry.kind, 28});
        EXPECT_NE(message.find("/home/张三/名单.txt"), std::string::npos) << message;
        EXPECT_NE(message.find(entry.reason), std::string::npos) << message;
        EXPECT_NE(message.find("28"), std::string::npos) << message;
    }
    EXPECT_NE(roster::replace_question("a/b.txt").find("“a/b.txt”已存在"), std::string::npos);
}

} // namespace
