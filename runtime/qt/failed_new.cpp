// A request operator new cannot meet inside the toolkit is thrown as std::bad_alloc, which unwinds out of the event
// handler to the application's notify; the size is kept for the fatal error report made there.

#include "runtime/qt/failed_new.h"
#include "runtime/replaced_new.h"

#include <new>

namespace runtime {
namespace {
std::optional<std::size_t> last_failed_;
} // namespace

void operator_new_failed(std::size_t size)
{
    last_failed_ = size;
    throw std::bad_alloc();
}

namespace qt {
std::optional<std::size_t> take_last_failed_new()
{
    std::optional<std::size_t> const size = last_failed_;
    last_failed_.reset();
    return size;
}
} // namespace qt

} // namespace runtime
