#include "runtime/gb18030.h"

#include "tools/gb18030_tables/icu_gb18030.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace {

using gb18030_tables::IcuGb18030;

constexpr char16_t Euro = u'\u20AC';
constexpr std::string_view ReplacementBytes = "\x84\x31\xA4\x37"; // U+FFFD

// Filler after the promised end, which a write past it would change.
constexpr std::size_t GuardSize = 16;

// Encodes into a buffer of exactly gb18030_length bytes plus a guard, checking that the encoder writes them all
// and nothing more.
std::string encode(std::u16string_view text)
{
    const std::size_t length = runtime::gb18030_length(text);
    std::string buffer(length + GuardSize, '#');
    char const* const end = runtime::gb18030_encode(text, buffer.data());
    EXPECT_EQ(end, buffer.data() + length) << "gb18030_length and gb18030_encode disagree";
    EXPECT_EQ(buffer.substr(length), std::string(GuardSize, '#')) << "gb18030_encode wrote past its length";
    buffer.resize(length);
    return buffer;
}

// The same for decoding and utf16_length.
std::u16string decode(std::string_view bytes)
{
    const std::size_t length = runtime::utf16_length(bytes);
    std::u16string buffer(length + GuardSize, u'#');
    char16_t const* const end = runtime::gb18030_decode(bytes, buffer.data());
    EXPECT_EQ(end, buffer.data() + length) << "utf16_length and gb18030_decode disagree";
    EXPECT_EQ(buffer.substr(length), std::u16string(GuardSize, u'#')) << "gb18030_decode wrote past its length";
    buffer.resize(length);
    return buffer;
}

std::u16string utf16(char32_t code_point)
{
    if (code_point <= 0xFFFF)
        return {static_cast<char16_t>(code_point)};
    char32_t const offset = code_point - 0x10000;
    return {static_cast<char16_t>(0xD800 + (offset >> 10)), static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
}

class Gb18030AgainstIcu : public ::testing::Test {
  protected:
    // ICU's bytes for one character, but the euro sign's, which keeps its single byte.
    std::string reference_bytes(char32_t code_point) const
    {
        return code_point == Euro ? "\x80" : icu.encode(utf16(code_point)).value();
    }

    IcuGb18030 icu;
};

struct CharacterCase {
    char const* what;
    std::u16string_view text;
    std::string_view bytes;
};

constexpr CharacterCase CharacterCases[] = {
    {"ASCII", u"Brisvale 1.0\t~", "Brisvale 1.0\t~"},
    {"GBK pairs", u"张三", "\xD5\xC5\xC8\xFD"},
    {"first two-byte code", u"\u4E02", "\x81\x40"},
    {"punctuation and Latin letters in GBK", u"\u3000\uFF0C\u00FC\u00B7", "\xA1\xA1\xA3\xAC\xA8\xB9\xA1\xA4"},
    {"user-defined area up to the last two-byte code", u"\uE000\uE4C5", "\xAA\xA1\xFE\xFE"},
    {"characters at codes GBK leaves to private use", u"\u1E3F\u01F9\u2FF0", "\xA8\xBC\xA8\xBF\xA9\x8A"},
    {"ideographs at codes GBK leaves to private use", u"\u2E81\u3473\u4DAE", "\xFE\x50\xFE\x55\xFE\x9F"},
    {"private-use character A6 D9 has always decoded to", u"\uE78D", "\xA6\xD9"},
    {"first four-byte code", u"\u0080", "\x81\x30\x81\x30"},
    {"Latin letters outside GBK", u"\u00A5\u00DF", "\x81\x30\x84\x36\x81\x30\x89\x38"},
    {"four-byte code out of code point order", u"\uE7C7", "\x81\x35\xF4\x37"},
    {"ideograph after GBK's last", u"\u9FA6", "\x82\x35\x8F\x33"},
    {"vertical form", u"\uFE10", "\x84\x31\x82\x36"},
    {"last BMP code", u"\uFFFF", "\x84\x31\xA4\x39"},
    {"first supplementary code", u"\U00010000", "\x90\x30\x81\x30"},
    {"supplementary ideograph", u"\U00020000", "\x95\x32\x82\x36"},
    {"emoji", u"\U0001F600", "\x94\x39\xFC\x36"},
    {"last code point", u"\U0010FFFF", "\xE3\x32\x9A\x35"},
    {"mixed roster line", u"Li \u674E, \u00DF \U00020000!", "Li \xC0\xEE, \x81\x30\x89\x38 \x95\x32\x82\x36!"},
};

TEST_F(Gb18030AgainstIcu, CharactersOfEveryRangeHaveIcusBytes)
{
    for (CharacterCase const& c : CharacterCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(encode(c.text), c.bytes);
        EXPECT_EQ(decode(c.bytes), c.text);
        EXPECT_EQ(icu.encode(c.text), std::string(c.bytes));
    }
}

TEST_F(Gb18030AgainstIcu, EuroSignKeepsItsSingleByte)
{
    EXPECT_EQ(encode(u"5\u20AC \u5F20"), "5\x80 \xD5\xC5");
    EXPECT_EQ(decode("5\x80\x80"), u"5\u20AC\u20AC");
    // A2 E3 is the sign's form in ICU, and still reads as the sign.
    EXPECT_EQ(icu.encode(u"\u20AC"), std::string("\xA2\xE3"));
    EXPECT_EQ(decode("\xA2\xE3"), u"\u20AC");
}

TEST_F(Gb18030AgainstIcu, EveryScalarValueMatchesIcu)
{
    for (char32_t code_point = 0; code_point <= 0x10FFFF; ++code_point) {
        if (code_point >= 0xD800 && code_point <= 0xDFFF)
            continue;
        const std::u16string text = utf16(code_point);
        const std::string bytes = reference_bytes(code_point);
        ASSERT_EQ(encode(text), bytes) << "U+" << std::hex << static_cast<std::uint32_t>(code_point);
        ASSERT_EQ(decode(bytes), text) << "U+" << std::hex << static_cast<std::uint32_t>(code_point);
    }
}

// Random text of every kind of character, each ASCII one followed by a run of up to 20 more so that the
// eight-unit path is entered and left at every offset.
TEST_F(Gb18030AgainstIcu, RandomTextRoundTripsWithIcusBytes)
{
    // ASCII, common ideographs, the whole BMP, the other planes and the euro sign.
    constexpr std::pair<std::uint32_t, std::uint32_t> Kinds[] = {
        {0, 0x7F}, {0x4E00, 0x9FA5}, {0x80, 0xFFFF}, {0x10000, 0x10FFFF}, {Euro, Euro}};
    std::mt19937 random(18030);
    auto const pick = [&random](std::uint32_t first, std::uint32_t last) {
        return std::uniform_int_distribution<std::uint32_t>(first, last)(random);
    };
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        std::string bytes;
        for (std::uint32_t count = pick(0, 40); count > 0; --count) {
            auto const [first, last] = Kinds[pick(0, std::size(Kinds) - 1)];
            char32_t code_point = 0;
            do
                code_point = pick(first, last);
            while (code_point >= 0xD800 && code_point <= 0xDFFF);
            text += utf16(code_point);
            bytes += reference_bytes(code_point);
            if (code_point < 0x80)
                for (std::uint32_t letter = pick(0, 20); letter > 0; --letter) {
                    text += static_cast<char16_t>(u'a' + letter);
                    bytes += static_cast<char>('a' + letter);
                }
        }
        ASSERT_EQ(encode(text), bytes) << "round " << round;
        ASSERT_EQ(decode(bytes), text) << "round " << round;
    }
}

TEST(Gb18030, UnpairedSurrogatesEncodeAsReplacementCharacter)
{
    const std::string replacement(ReplacementBytes);
    const struct {
        std::u16string_view text;
        std::string expected;
    } cases[] = {
        {u"\xD83D", replacement},
        {u"a\xDE00z", "a" + replacement + "z"},
        {u"12345678\xD83D", "12345678" + replacement},
        {u"\xDE00\xD83D", replacement + replacement},
        {u"\xD83D\xD83D\xDE00", replacement + "\x94\x39\xFC\x36"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(encode(c.text), c.expected) << testing::PrintToString(std::u16string(c.text));
}

struct BadBytesCase {
    char const* what;
    std::string_view bytes;
    std::u16string_view text;
};

constexpr BadBytesCase BadBytesCases[] = {
    {"byte that starts nothing", "a\xFFz", u"a\uFFFDz"},
    {"lead at the end", "abcdefghij\xD5", u"abcdefghij\uFFFD"},
    {"ASCII second byte is read again", "\x81 \x81\x7F", u"\uFFFD \uFFFD\x7F"},
    {"non-ASCII bad second byte is taken", "\x81\xFFz", u"\uFFFDz"},
    {"four-byte code cut short at the end", "\x81\x30\x81", u"\uFFFD"},
    {"four-byte code cut short after two bytes", "a\x81\x30", u"a\uFFFD"},
    {"bad third byte: the digit is read again", "\x81\x30z", u"\uFFFD0z"},
    {"bad fourth byte: digit and lead are read again", "\x81\x30\x81\x41", u"\uFFFD0\u4E04"},
    {"just past the BMP's four-byte codes", "\x84\x31\xA5\x30", u"\uFFFD"},
    {"between the BMP's and the other planes' codes", "\x85\x30\x81\x30\x8F\x39\xFE\x39", u"\uFFFD\uFFFD"},
    {"just past U+10FFFF", "\xE3\x32\x9A\x36", u"\uFFFD"},
    {"last four-byte code", "\xFE\x39\xFE\x39", u"\uFFFD"},
};

TEST(Gb18030, BadBytesDecodeToReplacementCharacters)
{
    for (BadBytesCase const& c : BadBytesCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decode(c.bytes), c.text);
    }
}

// Up to `longest` bytes, mostly ones that start, continue or break codes at their edges; now and then any byte.
std::string random_bytes(std::mt19937& random, std::size_t longest)
{
    constexpr unsigned char Edges[] = {0x00, 0x20, 0x30, 0x35, 0x39, 0x40, 0x7F, 0x80,
                                       0x81, 0x84, 0x90, 0xA1, 0xD5, 0xE3, 0xFE, 0xFF};
    std::string bytes(std::uniform_int_distribution<std::size_t>(0, longest)(random), '\0');
    for (char& byte : bytes) {
        auto const choice = std::uniform_int_distribution<std::size_t>(0, std::size(Edges))(random);
        byte = static_cast<char>(choice < std::size(Edges) ? Edges[choice] : random() & 0xFF);
    }
    return bytes;
}

// Any bytes decode to text that survives encoding unchanged, and where ICU finds valid GB18030, to ICU's text.
TEST_F(Gb18030AgainstIcu, ArbitraryBytesDecodeToWellFormedText)
{
    std::mt19937 random(936);
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string const bytes = random_bytes(random, 12);
        const std::u16string text = decode(bytes);
        ASSERT_EQ(decode(encode(text)), text) << testing::PrintToString(bytes);
        if (auto const icu_text = icu.decode(bytes)) {
            ++valid;
            ASSERT_EQ(text, *icu_text) << testing::PrintToString(bytes);
        }
    }
    EXPECT_GT(valid, 1000) << "too few valid byte strings to compare with ICU";
}

struct PrefixCase {
    char const* what;
    std::string_view bytes;
    std::size_t units;
    std::size_t prefix_bytes;
};

constexpr PrefixCase PrefixCases[] = {
    {"no units", "abc", 0, 0},
    {"ASCII", "abc", 2, 2},
    {"inside a run of ASCII longer than eight bytes", "abcdefghijkl\xD5\xC5", 10, 10},
    {"ASCII up to a two-byte character", "ab\xD5\xC5z", 3, 4},
    {"two-byte characters", "\xD5\xC5\xC8\xFD", 1, 2},
    {"four-byte BMP character", "\x81\x30\x81\x30z", 1, 4},
    {"supplementary character", "\x90\x30\x81\x30z", 2, 4},
    {"count inside a surrogate pair takes the whole character", "\x90\x30\x81\x30z", 1, 4},
    {"past a supplementary character", "\x90\x30\x81\x30z", 3, 5},
    {"byte that starts nothing", "\xFFz", 1, 1},
    {"non-ASCII bad second byte goes with its lead", "\x81\xFFz", 1, 2},
    {"a lead before an ASCII byte is a unit alone", "\x81 z", 1, 1},
    {"broken four-byte code: its digit is a unit of its own", "\x81\x30z", 2, 2},
    {"four-byte code cut short by the end is one unit", "a\x81\x30\x81", 2, 4},
    {"euro byte", "\x80\x80", 1, 1},
    {"A2 E3 euro", "\xA2\xE3\x80", 1, 2},
    {"count past the end", "a\xD5\xC5", 9, 3},
    {"empty", "", 1, 0},
};

TEST(Gb18030, PrefixBytesOfEveryKindOfCharacter)
{
    for (PrefixCase const& c : PrefixCases)
        EXPECT_EQ(runtime::gb18030_prefix_bytes(c.bytes, c.units), c.prefix_bytes) << c.what;
}

// The first `units` units of the text, or one more where the count falls inside a surrogate pair.
std::u16string_view whole_characters(std::u16string_view text, std::size_t units)
{
    bool const inside_pair = units > 0 && units < text.size() && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF;
    return text.substr(0, inside_pair ? units + 1 : units);
}

// For every unit count, the bytes after the prefix decode to the rest of the text, so the prefix ends where the
// decoder ends a character. The prefix alone need not decode to the first units: a broken code near its end was
// read as far as the whole text let the decoder look.
TEST(Gb18030, PrefixOfAnyBytesEndsWhereACharacterEnds)
{
    std::mt19937 random(54936);
    for (int round = 0; round < 5000; ++round) {
        std::string const bytes = random_bytes(random, 16);
        std::u16string const text = decode(bytes);
        for (std::size_t units = 0; units <= text.size() + 1; ++units) {
            std::size_t const prefix = runtime::gb18030_prefix_bytes(bytes, units);
            ASSERT_EQ(decode(std::string_view(bytes).substr(prefix)), text.substr(whole_characters(text, units).size()))
                << testing::PrintToString(bytes) << " units " << units;
        }
    }
}

// In valid text, the prefix for every unit count decodes to exactly the text's first units, whole characters.
TEST(Gb18030, PrefixOfValidTextDecodesToItsFirstUnits)
{
    // ASCII, common ideographs, the BMP beyond the surrogates, the other planes.
    constexpr std::pair<char32_t, char32_t> Kinds[] = {
        {0, 0x7F}, {0x4E00, 0x9FA5}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
    std::mt19937 random(54936);
    auto const pick = [&random](std::size_t first, std::size_t last) {
        return std::uniform_int_distribution<std::size_t>(first, last)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        std::u16string text;
        for (std::size_t count = pick(0, 12); count > 0; --count) {
            auto const [first, last] = Kinds[pick(0, std::size(Kinds) - 1)];
            text += utf16(static_cast<char32_t>(pick(first, last)));
        }
        std::string const bytes = encode(text);
        for (std::size_t units = 0; units <= text.size() + 1; ++units) {
            std::size_t const prefix = runtime::gb18030_prefix_bytes(bytes, units);
            ASSERT_EQ(decode(std::string_view(bytes).substr(0, prefix)), whole_characters(text, units))
                << testing::PrintToString(bytes) << " units " << units;
        }
    }
}

} // namespace
