#include "roster/concatenation.h"

#include <array>
#include <cstring>

namespace roster {

runtime::Text concatenate(std::initializer_list<std::string_view> parts)
{
    std::size_t total = 0;
    for (std::string_view part : parts)
        total = runtime::heap_total(total, part.size());
    runtime::Text joined = runtime::Text::with_size(total);
    char* end = joined.data();
    for (std::string_view part : parts) {
        if (!part.empty())
            std::memcpy(end, part.data(), part.size());
        end += part.size();
    }
    return joined;
}

} // namespace roster
