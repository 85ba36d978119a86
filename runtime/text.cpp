#include "runtime/text.h"

#include <cstring>

namespace runtime {

Text Text::with_size(std::size_t size)
{
    Text text;
    text.block_ = heap_allocate(heap_total(size, 1));
    text.block_[size] = '\0';
    text.size_ = size;
    return text;
}

Text Text::copy_of(std::string_view bytes)
{
    Text text = with_size(bytes.size());
    if (!bytes.empty())
        std::memcpy(text.data(), bytes.data(), bytes.size());
    return text;
}

} // namespace runtime
