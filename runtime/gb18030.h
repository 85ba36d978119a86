#pragma once

// The run time's text codec. Text values are GB18030-2005 bytes, which give every character that GBK
// (code page 936) encodes the same bytes GBK gives it, and every other Unicode scalar value a form of its own,
// so nothing typed is lost. One code page 936 form is kept: "€" (U+20AC) is the single byte 0x80; the GB18030
// pair A2 E3 also decodes to "€".

#include <cstddef> // size_t
#include <string_view>

namespace runtime {

// Number of bytes gb18030_encode writes for this UTF-16 text.
[[nodiscard]] std::size_t gb18030_length(std::u16string_view utf16) noexcept;

// Writes exactly gb18030_length(utf16) bytes at out and returns the end. An unpaired surrogate, which is not a
// character, is written as U+FFFD's form.
char* gb18030_encode(std::u16string_view utf16, char* out) noexcept;

// Number of UTF-16 units gb18030_decode writes for these bytes.
[[nodiscard]] std::size_t utf16_length(std::string_view gb18030) noexcept;

// Writes exactly utf16_length(gb18030) units at out and returns the end. Any byte string decodes: a byte that
// does not start or complete a valid sequence gives U+FFFD.
char16_t* gb18030_decode(std::string_view gb18030, char16_t* out) noexcept;

// Number of leading bytes that gb18030_decode turns into the first `units` UTF-16 units, so that a column counted in
// units finds its bytes. A count that falls inside a surrogate pair takes the whole character; a count past the
// end takes every byte.
[[nodiscard]] std::size_t gb18030_prefix_bytes(std::string_view gb18030, std::size_t units) noexcept;

} // namespace runtime
