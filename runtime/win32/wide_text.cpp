#include "runtime/win32/wide_text.h"

#include "runtime/gb18030.h"

namespace runtime::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 on Windows");

Text to_text(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    std::u16string_view const units(reinterpret_cast<char16_t const*>(utf16.data()), utf16.size());
    Text text = Text::with_size(gb18030_length(units));
    gb18030_encode(units, text.data());
    return text;
}

std::wstring from_gb18030(std::string_view gb18030)
{
    std::wstring utf16(utf16_length(gb18030), L'\0');
    gb18030_decode(gb18030, reinterpret_cast<char16_t*>(utf16.data()));
    return utf16;
}

std::wstring from_utf8(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    auto const size = static_cast<int>(utf8.size());
    int const length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, utf16.data(), length);
    return utf16;
}

std::wstring window_text(HWND window)
{
    int const length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int const copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace runtime::win32
