#pragma once

// Shared steps of the GUI tests: the real main window with the program's own click bindings, and typing as a user
// does.

#include "runtime/qt/main_window.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <string_view>

namespace gui_test {

// Opens the main window as the program does, shown and active.
[[nodiscard]] QPointer<runtime::qt::MainWindow> open_main_window();

// The control's widget in the loaded main window.
template <typename Widget>
[[nodiscard]] Widget* control(std::string_view name)
{
    return dynamic_cast<Widget*>(runtime::qt::MainWindow::loaded()->control(name));
}

// Key events that carry the text, one character at a time. QTest::keyClicks asserts on CJK characters in Qt 6.4.
void type_text(QWidget* widget, QString const& text);

// A control's content as the handlers read it: its bytes.
[[nodiscard]] QByteArray content_bytes(std::string_view control);

} // namespace gui_test
