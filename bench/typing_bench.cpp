#include "bench/benches.h"

#include "bench/bench_window.h"
#include "bench/roster_text.h"
#include "runtime/controls.h"
#include "runtime/qt/roster_edit.h"
#include "ui/layout.h"

#include <QLineEdit>
#include <QTest>

namespace bench {
namespace {

constexpr double FlatnessBound = 1.5;
// Typing goes on a fresh line now and then, as a user does who adds people by hand, so that no line grows long
// enough to make every key scroll the box sideways.
constexpr int KeysPerLine = 16;

// One key, pressed and released, with everything it causes up to the repaint.
void type_key(QWidget* widget)
{
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_X, QStringLiteral("x"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_X, QStringLiteral("x"), Qt::NoModifier);
    settle();
}

struct Samples {
    std::vector<double> roster_box;
    std::vector<double> name_box;
};

void type_into_both_boxes(Scale const& scale, Samples& samples)
{
    auto* roster = control<runtime::qt::RosterEdit>(ui::control::RosterBox);
    roster->setFocus();
    QTest::keyClick(roster, Qt::Key_End, Qt::ControlModifier);
    type_key(roster);
    for (int key = 0; key < scale.keys; ++key) {
        if (key % KeysPerLine == 0) {
            QTest::keyClick(roster, Qt::Key_Return);
            settle();
        }
        samples.roster_box.push_back(time_once([roster] { type_key(roster); }));
    }

    auto* name = control<QLineEdit>(ui::control::NameBox);
    name->setFocus();
    settle();
    for (int key = 0; key < scale.keys; ++key) {
        if (key % KeysPerLine == 0)
            name->clear();
        samples.name_box.push_back(time_once([name] { type_key(name); }));
    }
}

} // namespace

std::vector<Row> typing_rows(Scale const& scale)
{
    QPointer window = open_bench_window();
    runtime::Text const roster = roster_text(scale.big_roster_lines);
    Samples empty;
    Samples full;
    for (int round = 0; round < scale.rounds; ++round) {
        runtime::write_content(ui::control::RosterBox, {});
        settle();
        type_into_both_boxes(scale, empty);
        runtime::write_content(ui::control::RosterBox, roster);
        settle();
        type_into_both_boxes(scale, full);
    }
    delete window;

    std::string const lines = std::to_string(scale.big_roster_lines) + " roster lines";
    auto const row = [&](std::string what, std::vector<double> const& ours, std::vector<double> const& baseline) {
        double const ours_median = median(ours);
        double const baseline_median = median(baseline);
        return bounded_row(std::move(what) + ", " + lines + " (baseline: empty roster)", duration(ours_median),
                           duration(baseline_median), ours_median / baseline_median, FlatnessBound);
    };
    return {row("Key typed at the end of the roster box", full.roster_box, empty.roster_box),
            row("Key typed into the name box", full.name_box, empty.name_box)};
}

} // namespace bench
