#include "runtime/qt/application.h"

#include "desktop_identity.h"
#include "product_info.h"
#include "runtime/application.h"
#include "runtime/fatal.h"
#include "runtime/heap.h"
#include "runtime/qt/failed_new.h"
#include "runtime/qt/main_window.h"
#include "runtime/qt/roster_accessible.h"
#include "runtime/release_routine.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace runtime {
namespace {

int exit_status_ = 0;
bool message_loop_running_ = false;

// An allocation failure inside the toolkit surfaces as std::bad_alloc escaping an event handler; it ends the
// program through the same report as one in the run time's own heap.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (std::bad_alloc const&) {
            if (auto const size = qt::take_last_failed_new())
                allocation_failed(*size);
            allocation_failed_unknown_size();
        }
    }
};

// Without any display Qt cannot create its platform and aborts through qFatal; the program reports that as a
// window it could not load.
void report_missing_display(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    std::fputs("载入启动窗口失败\n", stderr);
    std::fflush(stderr);
    std::_Exit(-1);
}

void show_fatal_error_box(std::string_view message_utf8)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"),
                    QString::fromUtf8(message_utf8.data(), static_cast<qsizetype>(message_utf8.size())),
                    QMessageBox::Ok);
    box.exec();
}

} // namespace

namespace qt {

void prepare_application()
{
    // The classic style draws the sunken 3-D edges and raised buttons that the layout's colours were chosen for.
    QCoreApplication::setApplicationName(QString::fromUtf8(product::FileDescription));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(product::Version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(product::DesktopId));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QApplication::setQuitOnLastWindowClosed(false); // the run time quits when the main window is destroyed
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    QAccessible::installFactory(roster_accessible_factory);
    set_fatal_presenter(show_fatal_error_box);
}

void request_quit()
{
    if (message_loop_running_)
        QCoreApplication::exit(0);
}

} // namespace qt

int application_start(int argc, char** argv, EntryRoutine entry_routine)
{
    QtMessageHandler const previous = qInstallMessageHandler(report_missing_display);
    Application application(argc, argv);
    qInstallMessageHandler(previous);
    qt::prepare_application();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    entry_routine();
    call_release_routine();
    return exit_status_;
}

void load_startup_window(std::span<ClickBinding const> bindings)
{
    auto* window = new qt::MainWindow(bindings);
    window->showCentred();
}

void run_message_loop()
{
    message_loop_running_ = true;
    exit_status_ = QApplication::exec();
    message_loop_running_ = false;
}

} // namespace runtime
