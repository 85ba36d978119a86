// A request operator new cannot meet ends the program where it fails, through the fatal error report: an exception
// must not unwind through the system's window procedure calls, so nothing on the Win32 side catches std::bad_alloc.

#include "runtime/heap.h"
#include "runtime/replaced_new.h"

namespace runtime {

void operator_new_failed(std::size_t size)
{
    allocation_failed(size);
}

} // namespace runtime
