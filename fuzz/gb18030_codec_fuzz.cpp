// The text codec on any input. The bytes as GB18030: they decode without fault, to text that encodes and decodes
// back to itself. The bytes as UTF-16 (pairs, low byte first): they encode and decode back to themselves, with
// each unpaired surrogate turned into U+FFFD. Every output buffer is a heap block of exactly the length the
// codec's count gave, so AddressSanitizer catches a write past the count and the returned end one that falls short.

#include "fuzz/fuzz_check.h"
#include "runtime/gb18030.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using Units = std::vector<char16_t>;
using Bytes = std::vector<char>;

Units decode(Bytes const& bytes)
{
    std::string_view const view(bytes.data(), bytes.size());
    Units text(runtime::utf16_length(view));
    char16_t* const end = runtime::gb18030_decode(view, text.data());
    fuzz::require(end == text.data() + text.size(), "gb18030_decode writes utf16_length units");
    return text;
}

Bytes encode(Units const& text)
{
    std::u16string_view const view(text.data(), text.size());
    Bytes bytes(runtime::gb18030_length(view));
    char* const end = runtime::gb18030_encode(view, bytes.data());
    fuzz::require(end == bytes.data() + bytes.size(), "gb18030_encode writes gb18030_length bytes");
    return bytes;
}

bool is_high_surrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

Units units_of(std::uint8_t const* data, std::size_t size)
{
    Units units;
    for (std::size_t index = 0; index + 1 < size; index += 2)
        units.push_back(static_cast<char16_t>(data[index] | data[index + 1] << 8));
    return units;
}

// The text with each surrogate that is not part of a pair replaced by U+FFFD.
Units with_unpaired_surrogates_replaced(Units text)
{
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (is_high_surrogate(text[index]) && index + 1 < text.size() && is_low_surrogate(text[index + 1]))
            ++index;
        else if (is_high_surrogate(text[index]) || is_low_surrogate(text[index]))
            text[index] = u'\uFFFD';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Bytes const bytes(data, data + size);
    Units const decoded = decode(bytes);
    fuzz::require(decode(encode(decoded)) == decoded, "decoded text survives encode and decode");

    Units const units = units_of(data, size);
    fuzz::require(decode(encode(units)) == with_unpaired_surrogates_replaced(units),
                  "UTF-16 survives encode and decode, unpaired surrogates as U+FFFD");
    return 0;
}
