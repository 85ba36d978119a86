#pragma once

#include "runtime/text.h"

#include <initializer_list>
#include <string_view>

namespace roster {

// Joins the parts in order, with nothing between them, into one new text. Each part is measured once and copied
// once into one block of exactly the sum of their lengths plus the NUL. An absent part counts as empty; the result
// is never absent.
[[nodiscard]] runtime::Text concatenate(std::initializer_list<std::string_view> parts);

} // namespace roster
