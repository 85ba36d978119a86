// The program as it ships, with a remote control for tests that must watch a whole process: its exit status, its
// current directory, its fatal error box. The test sets BRISVALE_PROBE to a list of steps separated by ";", run
// once the message loop has started:
//   cwd                      print the current directory
//   set:CONTROL=TEXT         put UTF-8 text into an edit box (the roster box too)
//   save:PATH                press Save and confirm PATH in the file dialog
//   click:CONTROL            click a button
//   close                    ask the window to close, as its close box does
//   bad_alloc                throw std::bad_alloc from inside an event, as a failing toolkit allocation would
//   huge_new                 ask operator new for more than any heap has, from inside an event
// BRISVALE_FAIL_REQUESTS_FROM=N makes every heap request of N bytes or more fail. Every message box that appears is
// printed ("box: TITLE | ICON | TEXT") and answered with its default button, or with Yes where it has one when
// BRISVALE_PROBE_ANSWER=yes, so the child never waits for a user.

#include "runtime/application.h"
#include "runtime/heap.h"
#include "runtime/qt/main_window.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"
#include "shell/entry_routine.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <new>
#include <vector>

namespace {

QString pending_file_name; // what the next file dialog is answered with

void print(QString const& line)
{
    std::puts(line.toUtf8().constData());
    std::fflush(stdout);
}

QWidget* control(QString const& name)
{
    runtime::qt::MainWindow const* window = runtime::qt::MainWindow::loaded();
    return window != nullptr ? window->control(name.toUtf8().toStdString()) : nullptr;
}

void run_step(QString const& step)
{
    QString const argument = step.section(u':', 1);
    if (step == u"cwd") {
        print(QStringLiteral("cwd: ") + QDir::currentPath());
    } else if (step.startsWith(u"set:")) {
        QString const text = argument.section(u'=', 1);
        if (auto* field = dynamic_cast<QLineEdit*>(control(argument.section(u'=', 0, 0))))
            field->setText(text);
        else if (auto* roster = dynamic_cast<runtime::qt::RosterEdit*>(control(argument.section(u'=', 0, 0))))
            roster->setContent(runtime::qt::to_text(text).bytes());
    } else if (step.startsWith(u"save:")) {
        pending_file_name = argument;
        if (auto* button = dynamic_cast<QAbstractButton*>(control(QStringLiteral("按钮3"))))
            button->click();
    } else if (step.startsWith(u"click:")) {
        if (auto* button = dynamic_cast<QAbstractButton*>(control(argument)))
            button->click();
    } else if (step == u"close") {
        if (runtime::qt::MainWindow* window = runtime::qt::MainWindow::loaded())
            window->close();
    } else if (step == u"bad_alloc") {
        QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    } else if (step == u"huge_new") {
        QTimer::singleShot(0, [] {
            // volatile, or the compiler may drop an allocation whose block is never used
            static std::size_t volatile huge = std::size_t{1} << 62;
            std::vector<char> const block(huge);
        });
    }
}

void answer_file_dialog()
{
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || pending_file_name.isEmpty())
        return;
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(pending_file_name);
    pending_file_name.clear();
    static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept, public through its base
}

void answer_message_boxes()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    print(QStringLiteral("box: %1 | %2 | %3").arg(box->windowTitle()).arg(box->icon()).arg(box->text()));
    QAbstractButton* answer = box->defaultButton();
    if (qEnvironmentVariable("BRISVALE_PROBE_ANSWER") == u"yes" && box->button(QMessageBox::Yes) != nullptr)
        answer = box->button(QMessageBox::Yes);
    if (answer == nullptr)
        answer = box->buttons().value(0);
    if (answer != nullptr)
        answer->click();
}

void start_probe()
{
    if (qEnvironmentVariableIsSet("BRISVALE_FAIL_REQUESTS_FROM"))
        runtime::testing::fail_requests_from(qEnvironmentVariable("BRISVALE_FAIL_REQUESTS_FROM").toULongLong());
    auto* boxes = new QTimer(qApp);
    QObject::connect(boxes, &QTimer::timeout, answer_message_boxes);
    QObject::connect(boxes, &QTimer::timeout, answer_file_dialog);
    boxes->start(20);
    QStringList const steps = qEnvironmentVariable("BRISVALE_PROBE").split(u';', Qt::SkipEmptyParts);
    QTimer::singleShot(0, qApp, [steps] {
        for (QString const& step : steps)
            run_step(step);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start_probe)

int main(int argc, char** argv)
{
    return runtime::application_start(argc, argv, shell::entry_routine);
}
