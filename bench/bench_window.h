#pragma once

// The real main window for in-process measurements, built from the stored layout as the program builds it. Its OK
// button runs either the program's own handler or the original whole-text algorithm, so both are timed through
// the same click on the same widget.

#include "runtime/qt/main_window.h"

#include <QPointer>
#include <string_view>

namespace bench {

enum class OkAlgorithm { InPlace, WholeText };

// Shown, active and with the entry fields filled in.
[[nodiscard]] QPointer<runtime::qt::MainWindow> open_bench_window();

// Which algorithm the next OK clicks run.
void use_ok_algorithm(OkAlgorithm algorithm);

template <typename Widget>
[[nodiscard]] Widget* control(std::string_view name)
{
    return dynamic_cast<Widget*>(runtime::qt::MainWindow::loaded()->control(name));
}

// Delivers everything the last action queued, the repaint included.
void settle();

} // namespace bench
