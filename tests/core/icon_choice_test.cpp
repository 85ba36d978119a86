#include "ui/icon_choice.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// --- Reading and writing the little-endian fields of icon and bitmap files ---

std::uint32_t read_le(std::string const& bytes, std::size_t offset, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t index = width; index-- > 0;) {
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(offset + index));
    }
    return value;
}

std::uint32_t u16_at(std::string const& bytes, std::size_t offset)
{
    return read_le(bytes, offset, 2);
}
std::uint32_t u32_at(std::string const& bytes, std::size_t offset)
{
    return read_le(bytes, offset, 4);
}
std::int32_t i32_at(std::string const& bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(read_le(bytes, offset, 4));
}

void append_le(std::string& out, std::uint32_t value, std::size_t width)
{
    for (std::size_t index = 0; index < width; ++index) {
        out.push_back(static_cast<char>(value >> (8 * index) & 0xFFu));
    }
}

// --- Crafted icon directories ---

struct Entry {
    std::uint8_t width; // 0 stands for 256
    std::uint8_t colour_count;
};

struct Header {
    std::uint16_t reserved = 0;
    std::uint16_t type = 1;
};

// A directory as an icon writer lays it out; no image data follows, since the chooser reads only the directory.
std::string icon_directory(std::vector<Entry> const& entries, Header header = {})
{
    std::string out;
    append_le(out, header.reserved, 2);
    append_le(out, header.type, 2);
    append_le(out, static_cast<std::uint32_t>(entries.size()), 2);
    for (Entry const& entry : entries) {
        const std::uint32_t bits = entry.colour_count == 2 ? 1 : entry.colour_count == 16 ? 4 : 32;
        append_le(out, entry.width, 1);
        append_le(out, entry.width, 1); // height
        append_le(out, entry.colour_count, 1);
        append_le(out, 0, 1);
        append_le(out, 1, 2); // planes
        append_le(out, bits, 2);
        append_le(out, 1000, 4); // bytes in resource
        append_le(out, 6 + 16 * static_cast<std::uint32_t>(entries.size()), 4);
    }
    return out;
}

struct ChoiceCase {
    char const* name;
    std::vector<Entry> entries;
    std::size_t big;
    std::size_t small;
};

class IconChoiceTable : public testing::TestWithParam<ChoiceCase> {};

TEST_P(IconChoiceTable, PicksFirstMatchingWidthWithSixteenColoursOrMore)
{
    ChoiceCase const& choice_case = GetParam();
    const std::optional<ui::IconChoice> choice = ui::choose_window_icons(icon_directory(choice_case.entries));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->big, choice_case.big);
    EXPECT_EQ(choice->small, choice_case.small);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, IconChoiceTable,
    testing::Values(ChoiceCase{"OurLayout",
                               {{32, 2},
                                {48, 16},
                                {32, 16},
                                {16, 16},
                                {48, 0},
                                {32, 0},
                                {16, 0},
                                {0, 0},
                                {128, 0},
                                {48, 0},
                                {32, 0},
                                {16, 0}},
                               2,
                               3},
                    ChoiceCase{"NoSixteenColourImagesFallBackToLast", {{32, 0}, {16, 0}, {48, 0}}, 2, 2},
                    ChoiceCase{
                        "ManyColourImageBeforeSixteenColourOneIsSkipped", {{32, 0}, {16, 0}, {32, 16}, {16, 16}}, 2, 3},
                    ChoiceCase{"TwoColourImagesAreSkipped", {{32, 2}, {16, 2}, {32, 16}, {16, 16}, {48, 16}}, 2, 3},
                    ChoiceCase{"CountsAboveSixteenMatch", {{48, 16}, {32, 200}, {16, 17}}, 1, 2},
                    ChoiceCase{"WidthZeroMeans256AndNeverMatches", {{0, 16}, {0, 16}, {48, 16}}, 2, 2},
                    ChoiceCase{"FirstOfSeveralMatchesWins", {{16, 16}, {32, 16}, {16, 16}, {32, 16}}, 1, 0},
                    ChoiceCase{"OnlyBigMatches", {{32, 16}, {48, 0}, {24, 16}}, 0, 2},
                    ChoiceCase{"OnlySmallMatches", {{48, 16}, {16, 16}, {24, 16}}, 2, 1},
                    ChoiceCase{"SingleImageIsBoth", {{48, 0}}, 0, 0}),
    [](testing::TestParamInfo<ChoiceCase> const& case_info) { return std::string(case_info.param.name); });

struct RejectedCase {
    char const* name;
    std::string bytes;
};

class IconChoiceRejects : public testing::TestWithParam<RejectedCase> {};

TEST_P(IconChoiceRejects, ReturnsNothing)
{
    EXPECT_FALSE(ui::choose_window_icons(GetParam().bytes).has_value());
}

const std::vector<Entry> TwoImages{{32, 16}, {16, 16}};

INSTANTIATE_TEST_SUITE_P(
    NotIconFiles, IconChoiceRejects,
    testing::Values(RejectedCase{"Empty", ""}, RejectedCase{"ShortHeader", icon_directory(TwoImages).substr(0, 5)},
                    RejectedCase{"ZeroImages", icon_directory({})},
                    RejectedCase{"CursorType", icon_directory(TwoImages, {.reserved = 0, .type = 2})},
                    RejectedCase{"TypeZero", icon_directory(TwoImages, {.reserved = 0, .type = 0})},
                    RejectedCase{"ReservedSet", icon_directory(TwoImages, {.reserved = 1, .type = 1})},
                    RejectedCase{"CountBeyondBytes", icon_directory(TwoImages).substr(0, 6 + 16 + 15)},
                    RejectedCase{"BitmapFile", std::string("BM\x36\x1F\0\0\0\0\0\0\x36\0\0\0", 14)}),
    [](testing::TestParamInfo<RejectedCase> const& case_info) { return std::string(case_info.param.name); });

// The count is read from the file, so a directory cut anywhere must be refused rather than read past its end.
TEST(IconChoice, RefusesEveryCutShortOfTheWholeDirectory)
{
    const std::string directory = icon_directory({{48, 16}, {32, 16}, {16, 16}});
    for (std::size_t length = 0; length < directory.size(); ++length) {
        // A copy of exactly this length, so a sanitizer sees any read past it.
        const std::string cut = directory.substr(0, length);
        EXPECT_FALSE(ui::choose_window_icons(cut).has_value()) << "length " << length;
    }
    EXPECT_TRUE(ui::choose_window_icons(directory).has_value());
}

TEST(IconChoice, CountAbove255IsReadAsSixteenBits)
{
    std::vector<Entry> entries(300, Entry{48, 0});
    entries[299] = {32, 16};
    entries[280] = {16, 16};
    const std::optional<ui::IconChoice> choice = ui::choose_window_icons(icon_directory(entries));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->big, 299u);
    EXPECT_EQ(choice->small, 280u);
}

// --- The committed assets ---

std::string read_asset(char const* name)
{
    std::ifstream file(std::string(BRISVALE_ASSETS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

constexpr std::size_t BitmapInfoHeaderSize = 40;

std::size_t dib_row_bytes(std::size_t width, std::size_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Four bytes for each of the 2^bits colours of a palettised image.
std::size_t palette_bytes(std::size_t bits)
{
    return bits <= 8 ? std::size_t{4} << bits : 0;
}

TEST(WindowIcon, ChoosesTheSixteenColourImages)
{
    const std::optional<ui::IconChoice> choice = ui::choose_window_icons(read_asset("brisvale.ico"));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->big, 2u);
    EXPECT_EQ(choice->small, 3u);
}

class ButtonPicture : public testing::TestWithParam<char const*> {};

TEST_P(ButtonPicture, IsA56By48TwentyFourBitBottomUpBitmap)
{
    const std::string bmp = read_asset(GetParam());
    ASSERT_EQ(bmp.size(), 8118u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(u32_at(bmp, 2), 8118u);
    EXPECT_EQ(u32_at(bmp, 10), 14u + BitmapInfoHeaderSize);
    EXPECT_EQ(u32_at(bmp, 14), BitmapInfoHeaderSize);
    EXPECT_EQ(i32_at(bmp, 18), 56);
    EXPECT_EQ(i32_at(bmp, 22), 48); // positive: bottom-up
    EXPECT_EQ(u16_at(bmp, 26), 1u);
    EXPECT_EQ(u16_at(bmp, 28), 24u);
    EXPECT_EQ(u32_at(bmp, 30), 0u); // BI_RGB
}

INSTANTIATE_TEST_SUITE_P(Assets, ButtonPicture, testing::Values("ok.bmp", "close.bmp", "save.bmp", "clear.bmp"),
                         [](testing::TestParamInfo<char const*> const& case_info) {
                             const std::string name = case_info.param;
                             return name.substr(0, name.find('.'));
                         });

struct ExpectedImage {
    std::uint32_t side;
    std::uint32_t colour_count;
    std::uint32_t bits;
};

constexpr std::array<ExpectedImage, 12> ExpectedIconImages{{
    {32, 2, 1},
    {48, 16, 4},
    {32, 16, 4},
    {16, 16, 4},
    {48, 0, 8},
    {32, 0, 8},
    {16, 0, 8},
    {256, 0, 32},
    {128, 0, 32},
    {48, 0, 32},
    {32, 0, 32},
    {16, 0, 32},
}};

class WindowIconImages : public testing::Test {
  protected:
    static constexpr std::size_t DirectoryEnd = 6 + 16 * ExpectedIconImages.size();

    static std::size_t entry(std::size_t index) { return 6 + 16 * index; }
    std::size_t image_offset(std::size_t index) const { return u32_at(icon, entry(index) + 12); }
    std::size_t image_size(std::size_t index) const { return u32_at(icon, entry(index) + 8); }

    // The 1-bit mask follows the colour rows; rows are bottom-up, each padded to four bytes.
    bool masked(std::size_t index, std::size_t x, std::size_t y) const
    {
        ExpectedImage const& expected = ExpectedIconImages[index];
        const std::size_t mask = image_offset(index) + BitmapInfoHeaderSize + palette_bytes(expected.bits) +
                                 dib_row_bytes(expected.side, expected.bits) * expected.side;
        const std::size_t row = mask + dib_row_bytes(expected.side, 1) * (expected.side - 1 - y);
        return (static_cast<std::uint8_t>(icon.at(row + x / 8)) & (0x80u >> (x % 8))) != 0;
    }

    std::uint8_t alpha(std::size_t index, std::size_t x, std::size_t y) const
    {
        const std::uint32_t side = ExpectedIconImages[index].side;
        const std::size_t pixel = image_offset(index) + BitmapInfoHeaderSize + 4 * ((side - 1 - y) * side + x);
        return static_cast<std::uint8_t>(icon.at(pixel + 3));
    }

    const std::string icon = read_asset("brisvale.ico");
};

TEST_F(WindowIconImages, DirectoryListsTheTwelveImagesBackToBack)
{
    ASSERT_GE(icon.size(), DirectoryEnd);
    EXPECT_EQ(u16_at(icon, 0), 0u);
    EXPECT_EQ(u16_at(icon, 2), 1u);
    ASSERT_EQ(u16_at(icon, 4), ExpectedIconImages.size());
    std::size_t next_offset = DirectoryEnd;
    for (std::size_t index = 0; index < ExpectedIconImages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        ExpectedImage const& expected = ExpectedIconImages[index];
        const std::size_t at = entry(index);
        EXPECT_EQ(static_cast<std::uint8_t>(icon[at]), expected.side % 256);
        EXPECT_EQ(static_cast<std::uint8_t>(icon[at + 1]), expected.side % 256);
        EXPECT_EQ(static_cast<std::uint8_t>(icon[at + 2]), expected.colour_count);
        EXPECT_EQ(u16_at(icon, at + 4), 1u);
        EXPECT_EQ(u16_at(icon, at + 6), expected.bits);
        EXPECT_EQ(image_offset(index), next_offset);
        next_offset = image_offset(index) + image_size(index);
    }
    EXPECT_EQ(next_offset, icon.size());
}

TEST_F(WindowIconImages, EachImageIsABitmapWithColourAndMaskRows)
{
    for (std::size_t index = 0; index < ExpectedIconImages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        ExpectedImage const& expected = ExpectedIconImages[index];
        const std::size_t at = image_offset(index);
        ASSERT_LE(at + BitmapInfoHeaderSize, icon.size());
        EXPECT_NE(icon.substr(at, 4), "\x89PNG");
        EXPECT_EQ(u32_at(icon, at), BitmapInfoHeaderSize);
        EXPECT_EQ(i32_at(icon, at + 4), static_cast<std::int32_t>(expected.side));
        EXPECT_EQ(i32_at(icon, at + 8), static_cast<std::int32_t>(2 * expected.side));
        EXPECT_EQ(u16_at(icon, at + 12), 1u);
        EXPECT_EQ(u16_at(icon, at + 14), expected.bits);
        EXPECT_EQ(u32_at(icon, at + 16), 0u); // BI_RGB
        const std::size_t rows =
            (dib_row_bytes(expected.side, expected.bits) + dib_row_bytes(expected.side, 1)) * expected.side;
        EXPECT_EQ(image_size(index), BitmapInfoHeaderSize + palette_bytes(expected.bits) + rows);
    }
}

// The emblem is round: its corners show the screen through the mask and its middle covers it.
TEST_F(WindowIconImages, MaskLeavesCornersClearAndCentreCovered)
{
    for (std::size_t index = 0; index < ExpectedIconImages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        const std::uint32_t side = ExpectedIconImages[index].side;
        EXPECT_TRUE(masked(index, 0, 0));
        EXPECT_TRUE(masked(index, side - 1, 0));
        EXPECT_TRUE(masked(index, 0, side - 1));
        EXPECT_TRUE(masked(index, side - 1, side - 1));
        EXPECT_FALSE(masked(index, side / 2, side / 2));
    }
}

// Readers that ignore alpha draw by the mask alone, so the two must not disagree where alpha is decided.
TEST_F(WindowIconImages, TrueColourMasksAgreeWithAlpha)
{
    for (std::size_t index = 0; index < ExpectedIconImages.size(); ++index) {
        const std::uint32_t side = ExpectedIconImages[index].side;
        if (ExpectedIconImages[index].bits != 32) {
            continue;
        }
        for (std::size_t y = 0; y < side; ++y) {
            for (std::size_t x = 0; x < side; ++x) {
                const std::uint8_t pixel_alpha = alpha(index, x, y);
                if (pixel_alpha == 0 || pixel_alpha == 255) {
                    ASSERT_EQ(masked(index, x, y), pixel_alpha == 0) << "image " << index << " pixel " << x << "," << y;
                }
            }
        }
    }
}

} // namespace
