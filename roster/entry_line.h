#pragma once

// The roster format: one entry line per person, the four field texts each behind its fixed label.

#include "runtime/text.h"

#include <string_view>

namespace roster {

// The labels' GBK bytes. Name, age and QQ begin with two spaces, sex with three; each ends in the full-width
// colon A3 BA, never the ASCII one.
inline constexpr std::string_view NameLabel = "\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA";    // "  姓名："
inline constexpr std::string_view SexLabel = "\x20\x20\x20\xD0\xD4\xB1\xF0\xA3\xBA"; // "   性别："
inline constexpr std::string_view AgeLabel = "\x20\x20\xC4\xEA\xC1\xE4\xA3\xBA";     // "  年龄："
inline constexpr std::string_view QqLabel = "\x20\x20\x51\x51\xBA\xC5\xA3\xBA";      // "  QQ号："
inline constexpr std::string_view LineEnd = "\r\n";

struct Person {
    std::string_view name;
    std::string_view sex;
    std::string_view age;
    std::string_view qq;
};

// The field texts are copied byte for byte: nothing trimmed, quoted or checked, and an empty one still gets its
// label.
[[nodiscard]] runtime::Text entry_line(Person const& person);

} // namespace roster
