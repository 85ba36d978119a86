#pragma once

#include "ui/layout.h"

#include <cstddef> // size_t
#include <span>
#include <vector>

namespace ui {

// Indexes of the controls that the keyboard can focus, in focus order: visible, enabled tab stops (never a label
// or the file dialog), by ascending tab-order number and, for equal numbers, in creation order.
[[nodiscard]] std::vector<std::size_t> focus_order(std::span<ControlRecord const> controls);

} // namespace ui
