#include "gui/gui_helpers.h"

#include "runtime/controls.h"
#include "shell/click_bindings.h"

#include <QTest>

namespace gui_test {

QPointer<runtime::qt::MainWindow> open_main_window()
{
    QPointer window = new runtime::qt::MainWindow(shell::ClickBindings);
    window->showCentred();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active");
    return window;
}

void type_text(QWidget* widget, QString const& text)
{
    for (QChar character : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

QByteArray content_bytes(std::string_view control)
{
    runtime::Text const text = runtime::read_content(control);
    return {text.bytes().data(), static_cast<qsizetype>(text.size())};
}

} // namespace gui_test
