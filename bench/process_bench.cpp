#include "bench/benches.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <cstdio>
#include <map>
#include <sstream>

namespace bench {
namespace {

constexpr double StartBound = 1.2;
constexpr double BytesPerRosterByteBound = 4;
constexpr int ChildTimeoutMilliseconds = 120'000;

using Report = std::map<std::string, long long>;

// Starts the program, waits for it to end and returns its "key value" lines, with "start_ns" the moment it was
// started on the clock the child reports with.
Report run_child(char const* program, std::size_t roster_lines)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (roster_lines > 0)
        environment.insert(QStringLiteral("BRISVALE_BENCH_LINES"), QString::number(roster_lines));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto const start = std::chrono::steady_clock::now().time_since_epoch();
    child.start(QString::fromUtf8(program), {});
    if (!child.waitForFinished(ChildTimeoutMilliseconds))
        std::fprintf(stderr, "%s did not finish\n", program);
    Report report{{"start_ns", std::chrono::duration_cast<std::chrono::nanoseconds>(start).count()}};
    std::istringstream lines(child.readAllStandardOutput().toStdString());
    std::string key;
    long long value = 0;
    while (lines >> key >> value)
        report[key] = value;
    return report;
}

double start_up_seconds(Report& report)
{
    return static_cast<double>(report["first_paint_ns"] - report["start_ns"]) / 1e9;
}

std::string bytes_per_byte(double ratio)
{
    std::ostringstream text;
    text.precision(3);
    text << ratio << " B/B";
    return text.str();
}

} // namespace

std::vector<Row> process_rows(Scale const& scale)
{
    std::vector<double> ours_start;
    std::vector<double> minimal_start;
    std::vector<double> ours_idle;
    std::vector<double> minimal_idle;
    for (int run = 0; run < scale.starts; ++run) {
        Report ours = run_child(BENCH_BRISVALE_WINDOW, 0);
        Report minimal = run_child(BENCH_MINIMAL_WINDOW, 0);
        ours_start.push_back(start_up_seconds(ours));
        minimal_start.push_back(start_up_seconds(minimal));
        ours_idle.push_back(static_cast<double>(ours["idle_rss_bytes"]));
        minimal_idle.push_back(static_cast<double>(minimal["idle_rss_bytes"]));
    }

    std::vector<double> over_idle_per_byte;
    std::vector<double> over_idle;
    double roster_bytes = 0;
    for (int run = 0; run < scale.memory_runs; ++run) {
        Report filled = run_child(BENCH_BRISVALE_WINDOW, scale.big_roster_lines);
        roster_bytes = static_cast<double>(filled["roster_bytes"]);
        over_idle.push_back(static_cast<double>(filled["filled_rss_bytes"] - filled["idle_rss_bytes"]));
        over_idle_per_byte.push_back(over_idle.back() / roster_bytes);
    }

    double const start = median(ours_start);
    double const minimal_start_median = median(minimal_start);
    double const idle = median(ours_idle);
    double const minimal_idle_median = median(minimal_idle);
    double const per_byte = median(over_idle_per_byte);
    return {
        bounded_row("Start-up to the first painted frame (baseline: minimal Qt window, same labels)", duration(start),
                    duration(minimal_start_median), start / minimal_start_median, StartBound),
        bounded_row("Resident memory at idle (baseline: minimal Qt window, same labels)", mebibytes(idle),
                    mebibytes(minimal_idle_median), idle / minimal_idle_median, StartBound),
        bounded_row("Resident memory over idle per roster byte, " + std::to_string(scale.big_roster_lines) +
                        " lines (baseline: the roster's own bytes)",
                    mebibytes(median(over_idle)) + " = " + bytes_per_byte(per_byte), mebibytes(roster_bytes), per_byte,
                    BytesPerRosterByteBound),
    };
}

} // namespace bench
