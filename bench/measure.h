#pragma once

// Wall-clock timing and the one table the bench prints. Every figure goes next to a baseline measured in the same
// run, so that a busy shared machine slows both alike and the ratio stays meaningful.

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

[[nodiscard]] double seconds_since(Clock::time_point start);

// Runs the action once and returns how long it took, in seconds.
template <class Action>
[[nodiscard]] double time_once(Action&& action)
{
    Clock::time_point const start = Clock::now();
    action();
    return seconds_since(start);
}

[[nodiscard]] double median(std::vector<double> samples);

// One line of the table. The ratio is ours / baseline, so lower is better, and the target is an upper bound on
// it unless a row says otherwise.
struct Row {
    std::string what;
    std::string ours;
    std::string baseline;
    double ratio = 0;
    std::string target; // empty: shown for reference only
    bool met = true;
};

// A row whose target is "ratio <= bound".
[[nodiscard]] Row bounded_row(std::string what, std::string ours, std::string baseline, double ratio, double bound);

// Human-readable durations and sizes.
[[nodiscard]] std::string duration(double seconds);
[[nodiscard]] std::string mebibytes(double bytes);

void print_table(std::vector<Row> const& rows);

} // namespace bench
