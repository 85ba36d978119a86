#include "bench/benches.h"

#include "bench/bench_window.h"
#include "bench/measure.h"
#include "bench/roster_text.h"
#include "runtime/controls.h"
#include "ui/layout.h"

#include <QPushButton>
#include <QTest>

#include <map>

namespace bench {
namespace {

constexpr std::string_view OkButton = "按钮1";
constexpr double InPlaceOverWholeTextBound = 0.001;
constexpr double FlatnessBound = 1.5;

std::string lines_label(std::size_t lines)
{
    std::string digits = std::to_string(lines);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits + " lines";
}

} // namespace

std::vector<Row> ok_click_rows(Scale const& scale)
{
    QPointer window = open_bench_window();
    auto* ok = control<QPushButton>(OkButton);
    auto const click = [ok] {
        QTest::mouseClick(ok, Qt::LeftButton);
        settle();
    };

    std::vector<Row> rows;
    std::map<std::size_t, double> in_place_medians;
    for (ClickSize const& size : scale.click_sizes) {
        runtime::write_content(ui::control::RosterBox, roster_text(size.lines));
        settle();
        std::vector<double> in_place;
        std::vector<double> whole_text;
        for (int round = 0; round < scale.rounds; ++round) {
            use_ok_algorithm(OkAlgorithm::InPlace);
            click(); // the first append after a whole-text write also scrolls from the top to the end
            for (int count = 0; count < size.in_place_clicks; ++count)
                in_place.push_back(time_once(click));
            use_ok_algorithm(OkAlgorithm::WholeText);
            for (int count = 0; count < size.whole_text_clicks; ++count)
                whole_text.push_back(time_once(click));
        }
        double const ours = median(in_place);
        double const baseline = median(whole_text);
        in_place_medians[size.lines] = ours;
        Row row{"OK click, " + lines_label(size.lines) + " (baseline: read all, join, write all)",
                duration(ours),
                duration(baseline),
                ours / baseline,
                {},
                true};
        if (&size == &scale.click_sizes.back())
            row = bounded_row(row.what, row.ours, row.baseline, row.ratio, InPlaceOverWholeTextBound);
        rows.push_back(row);
    }
    std::size_t const reference = scale.click_sizes[1].lines;
    std::size_t const largest = scale.click_sizes.back().lines;
    rows.push_back(bounded_row("OK click flatness, " + lines_label(largest) + " (baseline: ours at " +
                                   lines_label(reference) + ")",
                               duration(in_place_medians[largest]), duration(in_place_medians[reference]),
                               in_place_medians[largest] / in_place_medians[reference], FlatnessBound));
    delete window;
    return rows;
}

} // namespace bench
