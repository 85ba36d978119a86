#pragma once

// Rosters of any length for the bench, made of entry lines like the ones the OK button adds: common Chinese names,
// both sexes, ages and QQ numbers of the usual lengths, each line about 45 bytes ending in CR LF.

#include "runtime/text.h"

#include <cstddef>

namespace bench {

// The GB18030 bytes of `lines` entry lines; the same lines on every call.
[[nodiscard]] runtime::Text roster_text(std::size_t lines);

} // namespace bench
