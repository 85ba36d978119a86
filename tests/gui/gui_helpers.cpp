#include "gui/gui_helpers.h"

#include "runtime/controls.h"
#include "runtime/qt/application.h"
#include "shell/click_bindings.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace gui_test {

void WindowTest::initTestCase()
{
    runtime::qt::prepare_application();
}

void WindowTest::openWindow()
{
    window_ = open_main_window();
}

void WindowTest::closeWindow()
{
    drop_pending_answers();
    delete window_;
}

QByteArray read_file(QString const& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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

void click(std::string_view button)
{
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

namespace {
// Parent of the waiting answers, so that a test's cleanup can drop those its dialogs never needed.
QObject& pending_answers()
{
    static QObject* parent = new QObject(qApp);
    return *parent;
}
} // namespace

void drop_pending_answers()
{
    for (QObject* answer : pending_answers().children())
        delete answer;
}

void when_dialog_shows(std::function<bool(QWidget* dialog)> action)
{
    auto* poll = new QTimer(&pending_answers());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !dialog->isVisible() || !action(dialog))
            return;
        poll->stop();
        poll->deleteLater();
    });
    poll->start(10);
}

void answer_file_dialog(QString const& path, QString* start)
{
    when_dialog_shows([path, start](QWidget* dialog) {
        auto* file_dialog = qobject_cast<QFileDialog*>(dialog);
        if (file_dialog == nullptr)
            return false;
        auto* name = file_dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (start != nullptr)
            *start = name->text();
        if (path.isEmpty()) {
            QTest::keyClick(file_dialog, Qt::Key_Escape);
            return true;
        }
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    });
}

void answer_message_box(int button, QString* text, QString* title)
{
    when_dialog_shows([button, text, title](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr)
            return false;
        if (text != nullptr)
            *text = box->text();
        if (title != nullptr)
            *title = box->windowTitle();
        if (QAbstractButton* answer = box->button(QMessageBox::StandardButton(button)))
            QTest::mouseClick(answer, Qt::LeftButton);
        else
            box->close();
        return true;
    });
}

} // namespace gui_test
