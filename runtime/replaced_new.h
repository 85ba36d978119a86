#pragma once

// The program's global operator new (runtime/replaced_new.cpp) takes its blocks from malloc, so that a request the
// heap cannot meet anywhere, the toolkit's included, reaches the fatal error report with its byte count. What
// happens then depends on the run time, which defines this function.

#include <cstddef> // size_t

namespace runtime {

// Called with the size of a request operator new could not meet; it does not return.
[[noreturn]] void operator_new_failed(std::size_t size);

} // namespace runtime
