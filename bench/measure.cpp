#include "bench/measure.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace bench {

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    auto const middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    if (samples.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(samples.begin(), middle)) / 2;
}

Row bounded_row(std::string what, std::string ours, std::string baseline, double ratio, double bound)
{
    std::ostringstream target;
    target << "<= " << bound;
    return {std::move(what), std::move(ours), std::move(baseline), ratio, target.str(), ratio <= bound};
}

std::string duration(double seconds)
{
    std::ostringstream text;
    text << std::fixed;
    if (seconds < 1e-3)
        text << std::setprecision(1) << seconds * 1e6 << " us";
    else if (seconds < 1)
        text << std::setprecision(2) << seconds * 1e3 << " ms";
    else
        text << std::setprecision(2) << seconds << " s";
    return text.str();
}

std::string mebibytes(double bytes)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << bytes / (1024.0 * 1024.0) << " MiB";
    return text.str();
}

void print_table(std::vector<Row> const& rows)
{
    std::puts("| measurement | ours | baseline | ratio | target | met |");
    std::puts("| --- | --- | --- | --- | --- | --- |");
    for (Row const& row : rows) {
        std::ostringstream ratio;
        ratio << std::setprecision(3) << row.ratio;
        std::printf("| %s | %s | %s | %s | %s | %s |\n", row.what.c_str(), row.ours.c_str(), row.baseline.c_str(),
                    ratio.str().c_str(), row.target.empty() ? "-" : row.target.c_str(),
                    row.target.empty() ? "-"
                    : row.met          ? "yes"
                                       : "NO");
    }
    std::fflush(stdout);
}

} // namespace bench
