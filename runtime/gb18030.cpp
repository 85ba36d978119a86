#include "runtime/gb18030.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace runtime {
namespace {

// Two-byte codes: lead 0x81-0xFE, trail 0x40-0x7E or 0x80-0xFE.
constexpr unsigned FirstLead = 0x81;
constexpr unsigned LastLead = 0xFE;
constexpr std::size_t LeadCount = 126;
constexpr std::size_t TrailCount = 190;

struct FourByteRange {
    char16_t first_unit;
    std::uint16_t first_index;
    std::uint16_t length;
};

#include "runtime/gb18030_tables.inc"

constexpr char16_t Euro = u'\u20AC';
constexpr unsigned EuroByte = 0x80; // code page 936's form of the euro sign
constexpr char16_t Replacement = u'\uFFFD';
constexpr std::uint32_t SupplementaryFirstIndex = 189'000; // linear index of 90 30 81 30, which is U+10000
constexpr std::uint32_t SupplementaryCount = 0x100000;
// The BMP's four-byte codes are the indices the ranges cover, from 0 up to this.
constexpr std::uint32_t BmpFourByteCodeCount =
    std::end(FourByteRanges)[-1].first_index + std::end(FourByteRanges)[-1].length;

constexpr bool is_lead(unsigned byte)
{
    return byte >= FirstLead && byte <= LastLead;
}
constexpr bool is_trail(unsigned byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}
constexpr bool is_digit(unsigned byte)
{
    return byte >= 0x30 && byte <= 0x39;
}
constexpr std::size_t trail_column(unsigned byte)
{
    return byte - (byte < 0x7F ? 0x40u : 0x41u);
}
constexpr std::size_t trail_byte(std::size_t column)
{
    return column + (column < 0x3F ? 0x40u : 0x41u);
}

constexpr bool is_surrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}
constexpr bool is_high_surrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool is_low_surrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code of each BMP unit: lead << 8 | trail for a two-byte code, the byte itself for the euro sign, 0 for a
// four-byte code. Derived here from the decode table so that the committed data holds each mapping once.
constexpr std::array<std::uint16_t, 0x10000> BmpCodes = [] {
    std::array<std::uint16_t, 0x10000> codes{};
    for (std::size_t lead = 0; lead < LeadCount; ++lead)
        for (std::size_t column = 0; column < TrailCount; ++column)
            codes[TwoByteUnits[lead][column]] =
                static_cast<std::uint16_t>((FirstLead + lead) << 8 | trail_byte(column));
    codes[Euro] = EuroByte;
    return codes;
}();

// The committed ranges are in index order, which decoding searches; encoding searches them by code point.
constexpr auto FourByteRangesByUnit = [] {
    std::array<FourByteRange, std::size(FourByteRanges)> ranges{};
    std::copy(std::begin(FourByteRanges), std::end(FourByteRanges), ranges.begin());
    std::sort(ranges.begin(), ranges.end(),
              [](const FourByteRange& a, const FourByteRange& b) { return a.first_unit < b.first_unit; });
    return ranges;
}();

// Only for BMP characters without a shorter code, all of which some range holds.
std::uint32_t bmp_linear_index(char16_t unit) noexcept
{
    auto const range = std::prev(std::upper_bound(FourByteRangesByUnit.begin(), FourByteRangesByUnit.end(), unit,
                                                  [](char16_t u, FourByteRange const& r) { return u < r.first_unit; }));
    return range->first_index + static_cast<std::uint32_t>(unit - range->first_unit);
}

char32_t code_point_at(std::uint32_t linear_index) noexcept
{
    if (linear_index < BmpFourByteCodeCount) {
        auto const range =
            std::prev(std::upper_bound(std::begin(FourByteRanges), std::end(FourByteRanges), linear_index,
                                       [](std::uint32_t i, FourByteRange const& r) { return i < r.first_index; }));
        return range->first_unit + (linear_index - range->first_index);
    }
    // Unsigned, so indices below the first supplementary one wrap round and fail the test too.
    if (linear_index - SupplementaryFirstIndex < SupplementaryCount)
        return 0x10000 + (linear_index - SupplementaryFirstIndex);
    return Replacement;
}

// Four-byte codes count up from 81 30 81 30 with the last byte the fastest, over 0x30-0x39, 0x81-0xFE, 0x30-0x39.
std::uint32_t linear_index(unsigned char const* code) noexcept
{
    const std::uint32_t first = code[0] - FirstLead;
    const std::uint32_t second = code[1] - 0x30u;
    const std::uint32_t third = code[2] - FirstLead;
    const std::uint32_t fourth = code[3] - 0x30u;
    return ((first * 10 + second) * 126 + third) * 10 + fourth;
}

char* write_four_byte_code(std::uint32_t linear_index, char* out) noexcept
{
    out[0] = static_cast<char>(FirstLead + linear_index / 12600);
    out[1] = static_cast<char>(0x30 + linear_index / 1260 % 10);
    out[2] = static_cast<char>(FirstLead + linear_index / 10 % 126);
    out[3] = static_cast<char>(0x30 + linear_index % 10);
    return out + 4;
}

bool eight_ascii_units(char16_t const* units) noexcept
{
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::memcpy(&first, units, sizeof first);
    std::memcpy(&second, units + 4, sizeof second);
    return ((first | second) & 0xFF80'FF80'FF80'FF80) == 0;
}

bool eight_ascii_bytes(unsigned char const* bytes) noexcept
{
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return (word & 0x8080'8080'8080'8080) == 0;
}

// Encoding walks the text twice, to count and to write, with one of the sinks below; both walks take the same
// steps, so the count is what gets written.
template <class Sink>
void walk_utf16(std::u16string_view utf16, Sink& sink) noexcept
{
    char16_t const* unit = utf16.data();
    char16_t const* const end = unit + utf16.size();
    while (unit != end) {
        if (*unit < 0x80) {
            unit = sink.ascii(unit, end);
            continue;
        }
        char16_t const first = *unit++;
        if (is_high_surrogate(first) && unit != end && is_low_surrogate(*unit)) {
            char32_t const offset = static_cast<char32_t>((first - 0xD800) << 10 | (*unit++ - 0xDC00));
            sink.four_byte_code(SupplementaryFirstIndex + offset);
        } else {
            sink.bmp(is_surrogate(first) ? Replacement : first); // an unpaired surrogate is not a character
        }
    }
}

class ByteCounter {
  public:
    char16_t const* ascii(char16_t const* unit, char16_t const* end) noexcept
    {
        char16_t const* const start = unit;
        while (end - unit >= 8 && eight_ascii_units(unit))
            unit += 8;
        while (unit != end && *unit < 0x80)
            ++unit;
        count_ += static_cast<std::size_t>(unit - start);
        return unit;
    }
    void bmp(char16_t unit) noexcept
    {
        const std::uint16_t code = BmpCodes[unit];
        count_ += code == 0 ? 4 : code <= 0xFF ? 1 : 2;
    }
    void four_byte_code(std::uint32_t) noexcept { count_ += 4; }
    [[nodiscard]] std::size_t count() const noexcept { return count_; }

  private:
    std::size_t count_ = 0;
};

class ByteWriter {
  public:
    explicit ByteWriter(char* out) noexcept : out_(out) {}
    char16_t const* ascii(char16_t const* unit, char16_t const* end) noexcept
    {
        for (; end - unit >= 8 && eight_ascii_units(unit); unit += 8, out_ += 8)
            for (std::size_t i = 0; i < 8; ++i)
                out_[i] = static_cast<char>(unit[i]);
        for (; unit != end && *unit < 0x80; ++unit)
            *out_++ = static_cast<char>(*unit);
        return unit;
    }
    void bmp(char16_t unit) noexcept
    {
        const std::uint16_t code = BmpCodes[unit];
        if (code > 0xFF) {
            out_[0] = static_cast<char>(code >> 8);
            out_[1] = static_cast<char>(code & 0xFF);
            out_ += 2;
        } else if (code != 0) {
            *out_++ = static_cast<char>(code);
        } else {
            out_ = write_four_byte_code(bmp_linear_index(unit), out_);
        }
    }
    void four_byte_code(std::uint32_t linear_index) noexcept { out_ = write_four_byte_code(linear_index, out_); }
    [[nodiscard]] char* end() const noexcept { return out_; }

  private:
    char* out_;
};

struct Decoded {
    char32_t code_point;
    std::size_t size; // bytes read
};

// The character a non-ASCII byte starts. Bad input gives U+FFFD and goes on where a character may start: a bad
// byte that is ASCII is read again, as are the digit and the byte after the lead of a broken four-byte code.
// Input that ends inside a code gives one U+FFFD for the rest.
Decoded decode_character(unsigned char const* byte, unsigned char const* end) noexcept
{
    unsigned const lead = byte[0];
    if (lead == EuroByte)
        return {Euro, 1};
    if (!is_lead(lead))
        return {Replacement, 1};
    auto const available = static_cast<std::size_t>(end - byte);
    if (available == 1)
        return {Replacement, 1};
    unsigned const second = byte[1];
    if (is_trail(second))
        return {TwoByteUnits[lead - FirstLead][trail_column(second)], 2};
    if (!is_digit(second))
        return {Replacement, second < 0x80 ? 1u : 2u};
    if (available == 2)
        return {Replacement, 2};
    if (!is_lead(byte[2]))
        return {Replacement, 1};
    if (available == 3)
        return {Replacement, 3};
    if (!is_digit(byte[3]))
        return {Replacement, 1};
    return {code_point_at(linear_index(byte)), 4};
}

// Decoding, like encoding, walks the bytes twice with the same steps. A sink may stop the walk early; the walk
// returns the number of bytes it read.
template <class Sink>
std::size_t walk_gb18030(std::string_view gb18030, Sink& sink) noexcept
{
    auto const* const begin = reinterpret_cast<unsigned char const*>(gb18030.data());
    auto const* const end = begin + gb18030.size();
    auto const* byte = begin;
    while (byte != end && !sink.done()) {
        if (*byte < 0x80) {
            byte = sink.ascii(byte, end);
            continue;
        }
        const Decoded decoded = decode_character(byte, end);
        sink.code_point(decoded.code_point);
        byte += decoded.size;
    }
    return static_cast<std::size_t>(byte - begin);
}

// For the sinks that take every byte.
struct WholeInput {
    static constexpr bool done() noexcept { return false; }
};

class UnitCounter : public WholeInput {
  public:
    unsigned char const* ascii(unsigned char const* byte, unsigned char const* end) noexcept
    {
        unsigned char const* const start = byte;
        while (end - byte >= 8 && eight_ascii_bytes(byte))
            byte += 8;
        while (byte != end && *byte < 0x80)
            ++byte;
        count_ += static_cast<std::size_t>(byte - start);
        return byte;
    }
    void code_point(char32_t code_point) noexcept { count_ += code_point > 0xFFFF ? 2 : 1; }
    [[nodiscard]] std::size_t count() const noexcept { return count_; }

  private:
    std::size_t count_ = 0;
};

class UnitWriter : public WholeInput {
  public:
    explicit UnitWriter(char16_t* out) noexcept : out_(out) {}
    unsigned char const* ascii(unsigned char const* byte, unsigned char const* end) noexcept
    {
        for (; end - byte >= 8 && eight_ascii_bytes(byte); byte += 8, out_ += 8)
            for (std::size_t i = 0; i < 8; ++i)
                out_[i] = byte[i];
        for (; byte != end && *byte < 0x80; ++byte)
            *out_++ = *byte;
        return byte;
    }
    void code_point(char32_t code_point) noexcept
    {
        if (code_point <= 0xFFFF) {
            *out_++ = static_cast<char16_t>(code_point);
            return;
        }
        char32_t const offset = code_point - 0x10000;
        out_[0] = static_cast<char16_t>(0xD800 + (offset >> 10));
        out_[1] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        out_ += 2;
    }
    [[nodiscard]] char16_t* end() const noexcept { return out_; }

  private:
    char16_t* out_;
};

// Takes characters until they make `units` UTF-16 units; a character that crosses the count is taken whole.
class PrefixFinder {
  public:
    explicit PrefixFinder(std::size_t units) noexcept : units_left_(units) {}
    [[nodiscard]] bool done() const noexcept { return units_left_ == 0; }
    unsigned char const* ascii(unsigned char const* byte, unsigned char const* end) noexcept
    {
        for (; byte != end && *byte < 0x80 && units_left_ != 0; ++byte)
            --units_left_;
        return byte;
    }
    void code_point(char32_t code_point) noexcept
    {
        units_left_ -= std::min<std::size_t>(units_left_, code_point > 0xFFFF ? 2 : 1);
    }

  private:
    std::size_t units_left_;
};

} // namespace

std::size_t gb18030_length(std::u16string_view utf16) noexcept
{
    ByteCounter counter;
    walk_utf16(utf16, counter);
    return counter.count();
}

char* gb18030_encode(std::u16string_view utf16, char* out) noexcept
{
    ByteWriter writer(out);
    walk_utf16(utf16, writer);
    return writer.end();
}

std::size_t utf16_length(std::string_view gb18030) noexcept
{
    UnitCounter counter;
    walk_gb18030(gb18030, counter);
    return counter.count();
}

char16_t* gb18030_decode(std::string_view gb18030, char16_t* out) noexcept
{
    UnitWriter writer(out);
    walk_gb18030(gb18030, writer);
    return writer.end();
}

std::size_t gb18030_prefix_bytes(std::string_view gb18030, std::size_t units) noexcept
{
    PrefixFinder finder(units);
    return walk_gb18030(gb18030, finder);
}

} // namespace runtime
