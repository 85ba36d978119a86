#pragma once

// Shared steps of the GUI tests: the real main window with the program's own click bindings, and typing as a user
// does.

#include "runtime/qt/main_window.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include <string_view>

namespace gui_test {

// Each test function starts with the main window just opened and ends with it gone, with no dialog answer left
// waiting. A test class that prepares more in init() or cleanup() calls openWindow() or closeWindow() itself.
class WindowTest : public QObject {
    Q_OBJECT

  protected:
    void openWindow();
    void closeWindow();

    QPointer<runtime::qt::MainWindow> window_;

  private slots:
    void initTestCase();
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }
};

// The saved file's bytes, or "<missing>".
[[nodiscard]] QByteArray read_file(QString const& path);

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

// Clicks a button of the main window as the mouse does.
void click(std::string_view button);

// Offers every modal dialog that shows, while the code that showed it waits for the user, to the action until it
// returns true: it has handled the dialog it was waiting for.
void when_dialog_shows(std::function<bool(QWidget* dialog)> action);

// Drops the answers still waiting for a dialog, so that they cannot answer the next test's.
void drop_pending_answers();

// Answers the next file dialog by typing this path into its name field and pressing Enter; an empty path cancels
// it. Where `start` is given, it receives the text the name field showed when the dialog opened.
void answer_file_dialog(QString const& path, QString* start = nullptr);

// Answers the next message box with this button; `text` and `title` receive what it said.
void answer_message_box(int button, QString* text = nullptr, QString* title = nullptr);

} // namespace gui_test
