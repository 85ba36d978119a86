// The global operator new of both run times, replaced so that a failed request is handed to the run time with its
// size (runtime/replaced_new.h). The nothrow pair is replaced too, so that every block the delete here frees came
// from malloc even where a tool such as AddressSanitizer supplies the forms not replaced; the array forms are built
// on these by the standard library.

#include "runtime/replaced_new.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    runtime::operator_new_failed(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

// A nothrow request is checked by its caller, who goes on without the block, so its failure is not reported.
void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block, std::nothrow_t const&) noexcept
{
    std::free(block);
}
