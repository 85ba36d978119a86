#pragma once

#include "runtime/application.h"
#include "ui/layout.h"

#include <QWidget>

#include <span>

namespace runtime::qt {

// Creates the widget of one control record as a hidden child of the window, with its record's geometry,
// colours and settings, its click bound where the bindings name it. Null for a control that is no widget.
[[nodiscard]] QWidget* build_control(ui::ControlRecord const& record, std::span<ClickBinding const> bindings,
                                     QWidget* window);

} // namespace runtime::qt
