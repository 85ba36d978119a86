#include "bench/benches.h"

#include "bench/roster_text.h"
#include "runtime/gb18030.h"
#include "runtime/text.h"

#include <unicode/ucnv.h>

#include <cstdio>
#include <memory>
#include <sstream>

namespace bench {
namespace {

constexpr double LeastMegabytesPerSecond = 500;

std::u16string utf16_of(runtime::Text const& bytes)
{
    std::u16string utf16(runtime::utf16_length(bytes.bytes()), u'\0');
    runtime::gb18030_decode(bytes.bytes(), utf16.data());
    return utf16;
}

// As the save encodes: measure, take a block of exactly that size, write.
std::size_t encode_ours(std::u16string_view utf16)
{
    runtime::Text text = runtime::Text::with_size(runtime::gb18030_length(utf16));
    runtime::gb18030_encode(utf16, text.data());
    return text.size();
}

// ICU writes into a block big enough for the longest result; pages it never touches cost nothing.
std::size_t encode_icu(UConverter* converter, std::u16string_view utf16)
{
    std::size_t const capacity = utf16.size() * 4; // no BMP unit or surrogate pair takes more
    std::unique_ptr<char[]> const out(new char[capacity]);
    UErrorCode status = U_ZERO_ERROR;
    int32_t const written = ucnv_fromUChars(converter, out.get(), static_cast<int32_t>(capacity), utf16.data(),
                                            static_cast<int32_t>(utf16.size()), &status);
    if (U_FAILURE(status))
        std::fprintf(stderr, "ICU: %s\n", u_errorName(status));
    return static_cast<std::size_t>(written);
}

std::string rate(double bytes, double seconds)
{
    std::ostringstream text;
    text << static_cast<long>(bytes / seconds / 1e6) << " MB/s";
    return text.str();
}

} // namespace

std::vector<Row> encode_rows(Scale const& scale)
{
    runtime::Text const roster = roster_text(scale.big_roster_lines);
    std::u16string const utf16 = utf16_of(roster);
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("gb18030", &status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ICU: %s\n", u_errorName(status));
        return {};
    }
    std::vector<double> ours;
    std::vector<double> icu;
    for (int encode = 0; encode < scale.encodes; ++encode) {
        ours.push_back(time_once([&] { (void)encode_ours(utf16); }));
        icu.push_back(time_once([&] { (void)encode_icu(converter, utf16); }));
    }
    ucnv_close(converter);

    auto const bytes = static_cast<double>(roster.size());
    double const ours_median = median(ours);
    double const icu_median = median(icu);
    return {Row{.what = "GB18030 encode of roster text, " + mebibytes(bytes) + " (baseline: ICU ucnv)",
                .ours = rate(bytes, ours_median),
                .baseline = rate(bytes, icu_median),
                .ratio = ours_median / icu_median,
                .target = ">= 500 MB/s",
                .met = bytes / ours_median / 1e6 >= LeastMegabytesPerSecond}};
}

} // namespace bench
