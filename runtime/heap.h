#pragma once

// The run-time heap: every text value is taken from it, and a request never comes back empty. A request that
// cannot be met ends the program through the fatal error report with "分配 N 字节内存失败!".

#include <cstddef> // size_t
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>

namespace runtime {

struct HeapRelease {
    void operator()(char* block) const noexcept { std::free(block); }
};
using HeapBlock = std::unique_ptr<char[], HeapRelease>;

// A block of exactly `bytes` bytes (uninitialised).
[[nodiscard]] HeapBlock heap_allocate(std::size_t bytes) noexcept;

// The sum of the sizes. A sum that would not fit in size_t is a request that cannot be met, never a wrapped small
// one; it is reported with the largest count the report can name.
[[nodiscard]] std::size_t heap_total(std::initializer_list<std::size_t> sizes) noexcept;
[[nodiscard]] std::size_t heap_total(std::size_t a, std::size_t b) noexcept;

// Ends the program: the report for a request of `bytes` bytes that could not be met.
[[noreturn]] void allocation_failed(std::uint64_t bytes) noexcept;

// The report for a failure whose size is not known (an allocation inside the toolkit).
[[noreturn]] void allocation_failed_unknown_size() noexcept;

namespace testing {
// Makes every request of at least `bytes` bytes fail, as an exhausted heap would. 0 turns it off.
void fail_requests_from(std::size_t bytes) noexcept;
} // namespace testing

} // namespace runtime
