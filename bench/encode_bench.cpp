#include "bench/benches.h"

#include "bench/roster_text.h"
#include "runtime/gb18030.h"

#include <unicode/ucnv.h>

#include <cstdio>
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

// As the save encodes: measure, then write. Both encoders write into the same block, touched before the first run,
// so that neither pays for page faults: this is the encoder alone; the save's figure includes taking a fresh block.
std::size_t encode_ours(std::u16string_view utf16, char* out)
{
    std::size_t const size = runtime::gb18030_length(utf16);
    runtime::gb18030_encode(utf16, out);
    return size;
}

void encode_icu(UConverter* converter, std::u16string_view utf16, char* out, std::size_t capacity)
{
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUChars(converter, out, static_cast<int32_t>(capacity), utf16.data(), static_cast<int32_t>(utf16.size()),
                    &status);
    if (U_FAILURE(status))
        std::fprintf(stderr, "ICU: %s\n", u_errorName(status));
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
    std::size_t const capacity = utf16.size() * 4; // no BMP unit or surrogate pair takes more
    std::vector<char> out(capacity);
    std::vector<double> ours;
    std::vector<double> icu;
    for (int encode = 0; encode < scale.encodes; ++encode) {
        ours.push_back(time_once([&] { (void)encode_ours(utf16, out.data()); }));
        icu.push_back(time_once([&] { encode_icu(converter, utf16, out.data(), capacity); }));
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
