#include "runtime/gb18030.h"

// Placeholder until the table-driven codec lands: ASCII only.
namespace runtime {

std::size_t gb18030_length(std::u16string_view utf16) noexcept { return utf16.size(); }

char* gb18030_encode(std::u16string_view utf16, char* out) noexcept
{
    for (char16_t unit : utf16)
        *out++ = unit < 0x80 ? static_cast<char>(unit) : '?';
    return out;
}

std::size_t utf16_length(std::string_view gb18030) noexcept { return gb18030.size(); }

char16_t* gb18030_decode(std::string_view gb18030, char16_t* out) noexcept
{
    for (char byte : gb18030)
        *out++ = static_cast<unsigned char>(byte) < 0x80 ? static_cast<char16_t>(byte) : u'\uFFFD';
    return out;
}

} // namespace runtime
