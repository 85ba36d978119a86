#include "runtime/text.h"

#include <cstdint>
#include <cstring>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace runtime {
namespace {

constexpr std::size_t LeastSizeToPrefault = std::size_t{1} << 20;

// A long text about to be filled has all its pages mapped in one request instead of one page fault at a time, which
// on a virtual machine costs more than filling them. Only whole pages inside the block; the system may refuse, and
// then the pages come one fault at a time as ever.
void prefault([[maybe_unused]] char* block, [[maybe_unused]] std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    if (size < LeastSizeToPrefault)
        return;
    auto const page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    auto const start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    auto const end = (reinterpret_cast<std::uintptr_t>(block) + size) / page * page;
    if (end > start)
        (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

} // namespace

Text Text::with_size(std::size_t size)
{
    Text text;
    text.block_ = heap_allocate(heap_total(size, 1));
    prefault(text.block_.get(), size);
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
