#include "runtime/edit_text.h"
#include "tests/support/scanned_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace std::string_view_literals;

namespace {

struct Line {
    std::string_view content;
    std::string_view end;
};

// The lines the plainest scan finds, for the index to be checked against.
std::vector<Line> model_lines(std::string_view text)
{
    std::vector<Line> lines;
    for (testing_support::ScannedLine const& line : testing_support::scanned_lines(text))
        lines.push_back({line.content, line.end});
    return lines;
}

// Every byte, every line and the line of every offset, against the lines the expected lines give.
void expect_lines(runtime::EditText const& edit, std::vector<Line> const& expected)
{
    std::string text;
    for (Line const& line : expected)
        text.append(line.content).append(line.end);
    ASSERT_EQ(edit.size(), text.size());
    ASSERT_EQ(edit.bytes(0, edit.size()), text);
    runtime::Text const whole = edit.text();
    ASSERT_EQ(whole.absent(), text.empty());
    ASSERT_EQ(whole.bytes(), text);

    ASSERT_EQ(edit.line_count(), expected.size());
    std::size_t start = 0;
    std::size_t offset = 0;
    for (std::size_t line = 0; line < expected.size(); ++line) {
        SCOPED_TRACE(testing::Message() << "line " << line);
        ASSERT_EQ(edit.line_start(line), start);
        ASSERT_EQ(edit.line_length(line), expected[line].content.size());
        ASSERT_EQ(edit.line_end(line), expected[line].end);
        ASSERT_EQ(edit.line(line), expected[line].content);
        start += expected[line].content.size() + expected[line].end.size();
        // The offsets of the line's bytes and of its end belong to it; size() belongs to the last line.
        for (; offset < start || (line + 1 == expected.size() && offset <= text.size()); ++offset)
            ASSERT_EQ(edit.line_at(offset), line) << "offset " << offset;
    }
}

// The text as a fresh scan of the model text finds it.
void expect_text(runtime::EditText const& edit, std::string_view model)
{
    expect_lines(edit, model_lines(model));
}

struct AssignCase {
    char const* what;
    std::string_view text;
    std::vector<Line> lines;
};

TEST(EditText, AssignFindsEveryKindOfLineEnd)
{
    std::array const cases{
        AssignCase{"empty", "", {{"", ""}}},
        AssignCase{"no end", "abc", {{"abc", ""}}},
        AssignCase{"CR LF", "a\r\nb", {{"a", "\r\n"}, {"b", ""}}},
        AssignCase{"lone CR", "a\rb", {{"a", "\r"}, {"b", ""}}},
        AssignCase{"lone LF", "a\nb", {{"a", "\n"}, {"b", ""}}},
        AssignCase{"CR LF at the end leaves an empty last line", "a\r\n", {{"a", "\r\n"}, {"", ""}}},
        AssignCase{"lone CR at the end leaves an empty last line", "a\r", {{"a", "\r"}, {"", ""}}},
        AssignCase{"LF then CR are two ends", "\n\r", {{"", "\n"}, {"", "\r"}, {"", ""}}},
        AssignCase{"CR before CR LF", "\r\r\n", {{"", "\r"}, {"", "\r\n"}, {"", ""}}},
        AssignCase{"empty lines only", "\r\n\r\n", {{"", "\r\n"}, {"", "\r\n"}, {"", ""}}},
        AssignCase{"mixed, with two-byte characters",
                   "\xD5\xC5\r\n\xC8\xFD\nx\ry\r\n",
                   {{"\xD5\xC5", "\r\n"}, {"\xC8\xFD", "\n"}, {"x", "\r"}, {"y", "\r\n"}, {"", ""}}},
        AssignCase{"a NUL is an ordinary byte", "a\0b\r"sv, {{"a\0b"sv, "\r"}, {"", ""}}},
    };
    for (AssignCase const& test : cases) {
        SCOPED_TRACE(test.what);
        runtime::EditText edit;
        edit.assign(test.text);
        expect_lines(edit, test.lines);
        // The scan the edit tests compare with reads the same lines.
        expect_text(edit, test.text);
    }
}

TEST(EditText, LineAtCountsALineEndsBytesToItsLine)
{
    runtime::EditText edit;
    edit.assign("ab\r\nc\rd\n");
    constexpr std::array<std::size_t, 9> LineOfOffset{0, 0, 0, 0, 1, 1, 2, 2, 3};
    for (std::size_t offset = 0; offset < LineOfOffset.size(); ++offset)
        EXPECT_EQ(edit.line_at(offset), LineOfOffset[offset]) << "offset " << offset;
}

// One edit: `erased` bytes taken at the offset, then `inserted` put there.
struct Edit {
    std::size_t offset;
    std::size_t erased;
    std::string_view inserted;
};

void apply(Edit const& edit, runtime::EditText& text, std::string& model)
{
    text.erase(edit.offset, edit.erased);
    text.insert(edit.offset, edit.inserted);
    model.replace(edit.offset, edit.erased, edit.inserted);
}

struct PairCase {
    char const* what;
    std::string_view before;
    Edit edit;
    std::string_view after;
    std::size_t line_count;
};

TEST(EditText, EditsJoinAndSplitCrLfPairs)
{
    constexpr std::array Cases{
        PairCase{"LF after a lone CR at the end", "a\r", {2, 0, "\n"}, "a\r\n", 2},
        PairCase{"LF after a lone CR inside", "a\rb", {2, 0, "\n"}, "a\r\nb", 2},
        PairCase{"CR before a lone LF", "a\nb", {1, 0, "\r"}, "a\r\nb", 2},
        PairCase{"CR before a lone LF at the start", "\nb", {0, 0, "\r"}, "\r\nb", 2},
        PairCase{"text ending in CR before a lone LF", "a\nb", {1, 0, "x\r"}, "ax\r\nb", 2},
        PairCase{"text starting with LF after a lone CR", "a\rb", {2, 0, "\nc"}, "a\r\ncb", 2},
        PairCase{"a byte between CR and LF", "a\r\nb", {2, 0, "x"}, "a\rx\nb", 3},
        PairCase{"a line end between CR and LF", "a\r\nb", {2, 0, "\r\n"}, "a\r\r\n\nb", 4},
        PairCase{"CR of a pair erased", "a\r\nb", {1, 1, ""}, "a\nb", 2},
        PairCase{"LF of a pair erased", "a\r\nb", {2, 1, ""}, "a\rb", 2},
        PairCase{"LF of a pair at the end erased", "a\r\n", {2, 1, ""}, "a\r", 2},
        PairCase{"CR of a pair at the start erased", "\r\nb", {0, 1, ""}, "\nb", 2},
        PairCase{"the byte between CR and LF erased", "a\rx\nb", {2, 1, ""}, "a\r\nb", 2},
        PairCase{"the lines between CR and LF erased", "a\r1\r\n2\n3\nb", {2, 6, ""}, "a\r\nb", 2},
        PairCase{"a whole pair erased", "a\r\nb", {1, 2, ""}, "ab", 1},
        PairCase{"erased and replaced by a lone CR", "a\r\nb\r\nc", {1, 5, "\r"}, "a\rc", 2},
    };
    for (PairCase const& test : Cases) {
        SCOPED_TRACE(test.what);
        runtime::EditText text;
        text.assign(test.before);
        std::string model(test.before);
        apply(test.edit, text, model);
        ASSERT_EQ(model, test.after);
        ASSERT_EQ(text.line_count(), test.line_count);
        expect_text(text, model);
    }
}

// Runs of edits in one place and jumps between places, which move the point from which the index is stale up
// and down over entries stale by a shift that grew or (wrapping round) shrank.
TEST(EditText, EditsAtTheStartMiddleAndEndKeepTheIndexExact)
{
    std::string model;
    for (int line = 0; line < 100; ++line)
        model += "line " + std::to_string(line) + "\r\n";
    runtime::EditText text;
    text.assign(model);
    auto const line_offset = [&model](std::size_t line) {
        std::size_t offset = 0;
        for (; line > 0; --line)
            offset = model.find("\r\n", offset) + 2;
        return offset;
    };
    struct Run {
        char const* what;
        std::size_t line;
        Edit edit; // its offset counted from the line's start
        int times;
    };
    constexpr std::array Runs{
        Run{"typing at the end", 100, {0, 0, "x"}, 5},
        Run{"lines typed at the end", 100, {0, 0, "name\r\n"}, 5},
        Run{"lines erased in the middle", 50, {0, 8, ""}, 10},
        Run{"lines typed near the start", 2, {3, 0, "\xD5\xC5\r\n"}, 5},
        Run{"erasing at the start", 0, {0, 1, ""}, 12},
        Run{"lines typed in the middle", 60, {1, 0, "a\nb\r"}, 5},
        Run{"a line end erased near the end", 95, {0, 2, ""}, 1},
        Run{"typing at the start", 0, {0, 0, "\n"}, 3},
        Run{"lines erased in the middle again", 40, {2, 20, ""}, 3},
    };
    for (Run const& run : Runs) {
        SCOPED_TRACE(run.what);
        for (int time = 0; time < run.times; ++time) {
            Edit edit = run.edit;
            edit.offset += line_offset(run.line);
            apply(edit, text, model);
            ASSERT_NO_FATAL_FAILURE(expect_text(text, model)) << "time " << time;
        }
    }
}

// Thousands of random edits, in clusters and anywhere, each checked against a plain string scanned afresh.
TEST(EditText, RandomEditsMatchAFreshScan)
{
    // D5 C5 is 张: no byte of a two-byte character is a CR or an LF.
    constexpr std::array<std::string_view, 7> Pieces{"a", "\r", "\n", "\r\n", "\xD5\xC5", "xyz", "\n\r"};
    for (unsigned const seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        auto const pick = [&random](std::size_t first, std::size_t last) {
            return std::uniform_int_distribution<std::size_t>(first, last)(random);
        };
        runtime::EditText text;
        std::string model;
        std::size_t place = 0;
        for (int step = 0; step < 3000; ++step) {
            // Mostly near the last edit, as typing is; now and then anywhere.
            place = pick(0, 3) != 0 ? std::min(model.size(), place + pick(0, 4) - std::min<std::size_t>(place, 2))
                                    : pick(0, model.size());
            // Now and then a paste longer than the gap left, which makes the storage grow around the edit.
            std::string inserted;
            for (std::size_t count = pick(0, 40) == 0 ? pick(20, 100) : pick(0, 3); count > 0; --count)
                inserted += Pieces[pick(0, Pieces.size() - 1)];
            // Longer erases once the text is long, so that it stays around a few hundred bytes.
            std::size_t const longest_erase = model.size() > 300 ? 40 : 6;
            Edit const edit{place, std::min(model.size() - place, pick(0, longest_erase)), inserted};
            SCOPED_TRACE(testing::Message()
                         << "seed " << seed << ", step " << step << ": at " << edit.offset << " erase " << edit.erased
                         << " insert " << testing::PrintToString(inserted) << " into "
                         << testing::PrintToString(model));
            if (pick(0, 500) == 0) {
                text.assign(model);
            } else if (pick(0, 100) == 0) {
                ASSERT_EQ(text.contiguous(), model); // the gap moves to the end; the edits go on from there
            } else {
                apply(edit, text, model);
                place += inserted.size();
            }
            ASSERT_NO_FATAL_FAILURE(expect_text(text, model));
        }
    }
}

TEST(EditText, StartsAsOneEmptyLineAndComesBackToIt)
{
    runtime::EditText text;
    expect_text(text, "");
    text.insert(0, "\r\n");
    runtime::Text const whole = text.text();
    EXPECT_EQ(whole.data()[whole.size()], '\0');
    text.erase(0, 2);
    expect_text(text, "");
}

} // namespace
