// The run-time operations of runtime/controls.h on Qt widgets.

#include "runtime/controls.h"

#include "runtime/qt/main_window.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"

#include <QComboBox>
#include <QLineEdit>

namespace runtime {
namespace {

QWidget* widget_of(std::string_view control)
{
    qt::MainWindow const* window = qt::MainWindow::loaded();
    return window != nullptr ? window->control(control) : nullptr;
}

} // namespace

Text read_content(std::string_view control)
{
    QWidget* widget = widget_of(control);
    if (auto* roster = dynamic_cast<qt::RosterEdit*>(widget))
        return roster->contentBytes();
    if (auto* field = dynamic_cast<QLineEdit*>(widget))
        return qt::to_text(field->text());
    if (auto* combo = dynamic_cast<QComboBox*>(widget))
        return qt::to_text(combo->currentText());
    return {};
}

void use_content(std::string_view control, std::function<void(std::string_view bytes)> const& use)
{
    if (auto* roster = dynamic_cast<qt::RosterEdit*>(widget_of(control)))
        use(roster->contentView());
    else
        use(read_content(control).bytes());
}

void write_content(std::string_view control, Text const& text)
{
    QWidget* widget = widget_of(control);
    if (auto* roster = dynamic_cast<qt::RosterEdit*>(widget))
        roster->setContent(text.bytes());
    else if (auto* field = dynamic_cast<QLineEdit*>(widget))
        field->setText(qt::to_qstring(text.bytes()));
}

void append_content(std::string_view control, Text const& text)
{
    QWidget* widget = widget_of(control);
    if (auto* roster = dynamic_cast<qt::RosterEdit*>(widget))
        roster->appendContent(text.bytes());
    else if (auto* field = dynamic_cast<QLineEdit*>(widget))
        field->setText(field->text() + qt::to_qstring(text.bytes()));
}

void destroy_main_window()
{
    // Served by the message loop after the handler has returned; a second request made before then finds the
    // first one queued and changes nothing.
    if (qt::MainWindow* window = qt::MainWindow::loaded())
        window->deleteLater();
}

} // namespace runtime
