#include "ui/icon_choice.h"

// Placeholder until the directory reader lands.
namespace ui {

std::optional<IconChoice> choose_window_icons(std::string_view) noexcept { return IconChoice{2, 3}; }

} // namespace ui
