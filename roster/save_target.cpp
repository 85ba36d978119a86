#include "roster/save_target.h"

#include <algorithm>

namespace roster {

std::filesystem::path save_target(std::filesystem::path const& confirmed)
{
    using Native = std::filesystem::path::string_type;
    Native const& name = confirmed.native();
    constexpr std::string_view Extension = ".txt";
    auto const lower = [](auto unit) {
        return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit;
    };
    bool const has_extension =
        name.size() >= Extension.size() &&
        std::equal(Extension.begin(), Extension.end(), name.end() - static_cast<std::ptrdiff_t>(Extension.size()),
                   [&](char wanted, auto unit) { return lower(unit) == wanted; });
    if (has_extension)
        return confirmed;
    return Native(name) + Native(Extension.begin(), Extension.end());
}

} // namespace roster
