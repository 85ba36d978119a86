#pragma once

#include <cstddef> // size_t
#include <optional>

namespace runtime::qt {

// The size of the last request that operator new could not meet, once; nothing when none failed since.
[[nodiscard]] std::optional<std::size_t> take_last_failed_new();

} // namespace runtime::qt
