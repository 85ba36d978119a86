// The program as it ships, with a report of its first paint for the start-up bench. With BRISVALE_BENCH_LINES=N
// it then fills the roster box with N entry lines, repaints, and reports its resident memory again.

#include "bench/first_paint.h"
#include "bench/roster_text.h"
#include "runtime/application.h"
#include "runtime/controls.h"
#include "runtime/qt/main_window.h"
#include "shell/entry_routine.h"
#include "ui/layout.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>

namespace {

constexpr int IdleMilliseconds = 200;

void report_filled_roster()
{
    bench::report("filled_rss_bytes", bench::resident_bytes());
    std::_Exit(0);
}

void fill_roster(std::size_t lines)
{
    {
        runtime::Text const roster = bench::roster_text(lines);
        bench::report("roster_bytes", static_cast<long long>(roster.size()));
        runtime::write_content(ui::control::RosterBox, roster);
    }
    runtime::qt::MainWindow::loaded()->repaint();
    QTimer::singleShot(IdleMilliseconds, qApp, report_filled_roster);
}

void report_first_paint()
{
    bench::report_now("first_paint_ns");
    bench::report("idle_rss_bytes", bench::resident_bytes());
    auto const lines = static_cast<std::size_t>(qEnvironmentVariable("BRISVALE_BENCH_LINES").toULongLong());
    if (lines == 0)
        std::_Exit(0);
    fill_roster(lines);
}

void watch_first_paint()
{
    bench::after_first_paint([](QWidget const* widget) { return widget == runtime::qt::MainWindow::loaded(); },
                             report_first_paint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watch_first_paint)

int main(int argc, char** argv)
{
    return runtime::application_start(argc, argv, shell::entry_routine);
}
