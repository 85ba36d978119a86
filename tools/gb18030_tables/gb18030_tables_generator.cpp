// Regenerate runtime/gb18030_tables.inc with: cmake --build build --target gb18030_tables

// Takes the codec's tables from ICU's gb18030 converter, checks that they describe exactly the layout the run
// time's codec assumes, and only then writes them. Any surprise ends the tool with a message and no output.

#include "icu_gb18030.h"

#include <unicode/uversion.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using gb18030_tables::IcuGb18030;

constexpr unsigned FirstLead = 0x81;
constexpr unsigned LeadCount = 126;                        // 0x81-0xFE
constexpr unsigned TrailCount = 190;                       // 0x40-0x7E, 0x80-0xFE
constexpr std::uint32_t SupplementaryFirstIndex = 189'000; // linear index of 90 30 81 30, U+10000
constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr unsigned ValuesPerLine = 14; // what fits in 120 columns

struct FourByteRange {
    char16_t first_unit;
    std::uint32_t first_index;
    std::uint32_t length;
};

unsigned trail_byte(unsigned column)
{
    return column < 0x3F ? 0x40 + column : 0x41 + column;
}

std::string two_byte_code(unsigned lead, unsigned column)
{
    return {static_cast<char>(lead), static_cast<char>(trail_byte(column))};
}

// Four-byte codes count up from 81 30 81 30 with the last byte the fastest, over 0x30-0x39, 0x81-0xFE, 0x30-0x39.
std::string four_byte_code(std::uint32_t linear_index)
{
    return {static_cast<char>(0x81 + linear_index / 12600), static_cast<char>(0x30 + linear_index / 1260 % 10),
            static_cast<char>(0x81 + linear_index / 10 % 126), static_cast<char>(0x30 + linear_index % 10)};
}

std::string hex(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// "U+20AC"
std::string code_point_name(char32_t code_point)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code_point));
    return text;
}

// "81 30 81 30"
std::string hex_bytes(std::string_view bytes)
{
    std::string text;
    for (char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(byte));
        text += (text.empty() ? "" : " ") + std::string(pair);
    }
    return text;
}

bool is_surrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The BMP unit the code decodes to, after checking that it is one non-ASCII character which encodes back to the
// same code (a one-way mapping would make the run time's encode and decode disagree).
char16_t round_trip_unit(IcuGb18030 const& icu, std::string const& code)
{
    auto const text = icu.decode(code);
    if (!text || text->size() != 1 || (*text)[0] < 0x80 || is_surrogate((*text)[0]))
        throw std::runtime_error(hex_bytes(code) + " does not decode to one non-ASCII BMP character");
    if (icu.encode(*text) != code)
        throw std::runtime_error(hex_bytes(code) + " does not encode back from " + code_point_name((*text)[0]));
    return (*text)[0];
}

// Stored text must keep its meaning: newer ICU maps A6 D9 and its neighbours to the vertical forms instead of the
// private-use characters they have always decoded to here.
void require_stored_mapping(IcuGb18030 const& icu)
{
    if (icu.decode("\xA6\xD9") != u"\uE78D")
        throw std::runtime_error("this ICU's gb18030 converter maps A6 D9 differently from the text already stored");
}

class Coverage {
  public:
    void add(char16_t unit)
    {
        if (covered_[unit])
            throw std::runtime_error(code_point_name(unit) + " has two codes");
        covered_[unit] = true;
    }
    // Every BMP character but ASCII has exactly one code in the tables.
    void require_complete() const
    {
        for (char32_t unit = 0x80; unit <= 0xFFFF; ++unit)
            if (!covered_[unit] && !is_surrogate(unit))
                throw std::runtime_error(code_point_name(unit) + " has no code");
    }

  private:
    std::vector<bool> covered_ = std::vector<bool>(0x10000);
};

std::vector<char16_t> read_two_byte_units(IcuGb18030 const& icu, Coverage& coverage)
{
    std::vector<char16_t> units;
    for (unsigned lead = FirstLead; lead < FirstLead + LeadCount; ++lead)
        for (unsigned column = 0; column < TrailCount; ++column) {
            units.push_back(round_trip_unit(icu, two_byte_code(lead, column)));
            coverage.add(units.back());
        }
    return units;
}

// The BMP's four-byte codes run from index 0 up to the first code ICU rejects, as ranges over which both the
// code point and the linear index count up, in index order.
std::vector<FourByteRange> read_four_byte_ranges(IcuGb18030 const& icu, Coverage& coverage)
{
    std::vector<FourByteRange> ranges;
    for (std::uint32_t index = 0; icu.decode(four_byte_code(index)); ++index) {
        char16_t const unit = round_trip_unit(icu, four_byte_code(index));
        coverage.add(unit);
        if (!ranges.empty() && ranges.back().first_unit + ranges.back().length == unit)
            ++ranges.back().length;
        else
            ranges.push_back({unit, index, 1});
    }
    return ranges;
}

// The run time computes the other planes' codes; make sure ICU agrees on every one.
void check_supplementary_formula(IcuGb18030 const& icu)
{
    for (char32_t code_point = 0x10000; code_point <= LastCodePoint; ++code_point) {
        char32_t const offset = code_point - 0x10000;
        const std::u16string text{static_cast<char16_t>(0xD800 + (offset >> 10)),
                                  static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
        const std::string code = four_byte_code(SupplementaryFirstIndex + offset);
        if (icu.encode(text) != code || icu.decode(code) != text)
            throw std::runtime_error(code_point_name(code_point) + " does not map to " + hex_bytes(code));
    }
    if (icu.decode(four_byte_code(SupplementaryFirstIndex + LastCodePoint - 0xFFFF)))
        throw std::runtime_error("ICU decodes a four-byte code beyond U+10FFFF");
}

std::string format_tables(std::vector<char16_t> const& two_byte_units, std::vector<FourByteRange> const& ranges)
{
    std::string text = "// Regenerate with: cmake --build build --target gb18030_tables\n"
                       "// Taken from the gb18030 converter of ICU " U_ICU_VERSION
                       " by tools/gb18030_tables; included by runtime/gb18030.cpp.\n"
                       "\n"
                       "// The UTF-16 unit of each two-byte code: a row per lead byte 0x81-0xFE, a column per trail "
                       "byte 0x40-0x7E,\n"
                       "// 0x80-0xFE.\n"
                       "constexpr char16_t TwoByteUnits[LeadCount][TrailCount] = {\n";
    for (unsigned lead = 0; lead < LeadCount; ++lead) {
        text += "    // " + hex(FirstLead + lead, 2) + "\n    {";
        for (unsigned column = 0; column < TrailCount; ++column) {
            if (column != 0)
                text += column % ValuesPerLine == 0 ? ",\n     " : ", ";
            text += hex(two_byte_units[lead * TrailCount + column], 4);
        }
        text += "},\n";
    }
    text += "};\n"
            "\n"
            "// The rest of the BMP, surrogates aside, takes the four-byte codes from 81 30 81 30 on: {first code "
            "point, first\n"
            "// linear index, length} of each range over which both count up, in index order.\n"
            "constexpr FourByteRange FourByteRanges[] = {\n";
    // One range a line, commented with its first code and aligned as clang-format aligns trailing comments.
    std::vector<std::string> entries;
    std::size_t width = 0;
    for (FourByteRange const& range : ranges) {
        entries.push_back("{" + hex(range.first_unit, 4) + ", " + std::to_string(range.first_index) + ", " +
                          std::to_string(range.length) + "},");
        width = std::max(width, entries.back().size());
    }
    for (std::size_t i = 0; i < ranges.size(); ++i)
        text += "    " + entries[i] + std::string(width + 1 - entries[i].size(), ' ') + "// " +
                hex_bytes(four_byte_code(ranges[i].first_index)) + "\n";
    text += "};\n";
    return text;
}

void write_file(char const* path, std::string const& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gb18030_tables_generator OUTPUT.inc\n");
        return EXIT_FAILURE;
    }
    try {
        const IcuGb18030 icu;
        require_stored_mapping(icu);
        Coverage coverage;
        const std::vector<char16_t> two_byte_units = read_two_byte_units(icu, coverage);
        const std::vector<FourByteRange> ranges = read_four_byte_ranges(icu, coverage);
        coverage.require_complete();
        check_supplementary_formula(icu);
        write_file(argv[1], format_tables(two_byte_units, ranges));
    } catch (std::exception const& error) {
        std::fprintf(stderr, "gb18030_tables_generator: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
