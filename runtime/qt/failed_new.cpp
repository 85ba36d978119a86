// The global operator new, replaced so that a request the heap cannot meet inside the toolkit leaves its size
// behind: the fatal error report names it, as it does for the run time's own requests. The nothrow pair is replaced
// too, so that every block the delete here frees came from malloc even where a tool such as AddressSanitizer
// supplies the forms not replaced; the array forms are built on these by the standard library.

#include "runtime/qt/failed_new.h"

#include <cstdlib>
#include <new>

namespace runtime::qt {
namespace detail {
std::optional<std::size_t> last_failed_;
} // namespace detail

std::optional<std::size_t> take_last_failed_new()
{
    std::optional<std::size_t> const size = detail::last_failed_;
    detail::last_failed_.reset();
    return size;
}

} // namespace runtime::qt

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    runtime::qt::detail::last_failed_ = size;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

// A nothrow request is checked by its caller, who goes on without the block, so its failure is not recorded.
void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block, std::nothrow_t const&) noexcept
{
    std::free(block);
}
