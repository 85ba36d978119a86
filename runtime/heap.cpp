#include "runtime/heap.h"

#include "runtime/fatal.h"

#include <cinttypes>
#include <cstdio>
#include <limits>

namespace runtime {
namespace {
std::size_t failing_from_ = 0;
} // namespace

HeapBlock heap_allocate(std::size_t bytes) noexcept
{
    bool const injected = failing_from_ != 0 && bytes >= failing_from_;
    // malloc(0) may return null legitimately; every block here holds at least its NUL.
    char* block = injected ? nullptr : static_cast<char*>(std::malloc(bytes == 0 ? 1 : bytes));
    if (block == nullptr)
        allocation_failed(bytes);
    return HeapBlock(block);
}

std::size_t heap_total(std::size_t a, std::size_t b) noexcept
{
    std::size_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        allocation_failed(std::numeric_limits<std::uint64_t>::max());
    return sum;
}

std::size_t heap_total(std::initializer_list<std::size_t> sizes) noexcept
{
    std::size_t sum = 0;
    for (std::size_t size : sizes)
        sum = heap_total(sum, size);
    return sum;
}

void allocation_failed(std::uint64_t bytes) noexcept
{
    // Formatted without the heap, which has just failed.
    char message[96];
    int const length = std::snprintf(message, sizeof message, "分配 %" PRIu64 " 字节内存失败!", bytes);
    fatal_error({message, static_cast<std::size_t>(length)});
}

void allocation_failed_unknown_size() noexcept
{
    fatal_error("分配内存失败!");
}

namespace testing {
void fail_requests_from(std::size_t bytes) noexcept
{
    failing_from_ = bytes;
}
} // namespace testing

} // namespace runtime
