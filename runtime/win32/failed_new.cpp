// The global operator new, replaced so that a request the heap cannot meet anywhere in the run time ends the
// program through the fatal error report with its byte count, as the run time's own heap requests do. Nothing on
// the Win32 side catches std::bad_alloc, so the report is made where the request fails. The nothrow pair is
// replaced too, so that every block the delete here frees came from malloc; the array forms are built on these by
// the standard library.

#include "runtime/heap.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    runtime::allocation_failed(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

// A nothrow request is checked by its caller, who goes on without the block.
void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block, std::nothrow_t const&) noexcept
{
    std::free(block);
}
