#include "bench/roster_text.h"

#include "roster/entry_line.h"
#include "runtime/gb18030.h"

#include <array>
#include <string>
#include <string_view>

namespace bench {
namespace {

constexpr auto Names = std::array<std::u16string_view, 12>{u"张伟", u"王芳",   u"李娜", u"刘洋", u"陈静",   u"杨磊",
                                                           u"赵敏", u"黄晓明", u"周杰", u"吴倩", u"徐志强", u"孙丽"};
constexpr auto Sexes = std::array<std::u16string_view, 2>{u"男", u"女"};

std::string gb18030(std::u16string_view utf16)
{
    std::string bytes(runtime::gb18030_length(utf16), '\0');
    runtime::gb18030_encode(utf16, bytes.data());
    return bytes;
}

} // namespace

runtime::Text roster_text(std::size_t lines)
{
    std::array<std::string, Names.size()> names;
    for (std::size_t index = 0; index < Names.size(); ++index)
        names[index] = gb18030(Names[index]);
    std::array<std::string, Sexes.size()> sexes{gb18030(Sexes[0]), gb18030(Sexes[1])};

    std::string roster;
    roster.reserve(lines * 48);
    for (std::size_t line = 0; line < lines; ++line) {
        std::string const age = std::to_string(18 + line % 60);
        std::string const qq = std::to_string(10'000 + line * 7919 % 3'000'000'000);
        runtime::Text const entry =
            roster::entry_line({.name = names[line % names.size()], .sex = sexes[line % 2], .age = age, .qq = qq});
        roster.append(entry.bytes());
    }
    return runtime::Text::copy_of(roster);
}

} // namespace bench
