#include "ui/focus_order.h"

#include <algorithm>

namespace ui {
namespace {
bool can_take_focus(ControlRecord const& control)
{
    bool const focusable_kind = control.kind != ControlKind::Label && control.kind != ControlKind::FileDialog;
    return focusable_kind && control.visible && control.enabled && control.tab_stop;
}
} // namespace

std::vector<std::size_t> focus_order(std::span<ControlRecord const> controls)
{
    std::vector<std::size_t> order;
    for (std::size_t index = 0; index < controls.size(); ++index)
        if (can_take_focus(controls[index]))
            order.push_back(index);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return controls[a].tab_order < controls[b].tab_order; });
    return order;
}

} // namespace ui
