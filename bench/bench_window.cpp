#include "bench/bench_window.h"

#include "roster/concatenation.h"
#include "roster/entry_line.h"
#include "roster/handlers.h"
#include "runtime/controls.h"
#include "ui/layout.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <array>

namespace bench {
namespace {

OkAlgorithm ok_algorithm = OkAlgorithm::InPlace;

// How the OK button worked before it appended in place: the whole roster is read, joined with the new line and
// written back.
void whole_text_ok_click()
{
    using runtime::read_content;
    runtime::Text const name = read_content(ui::control::NameBox);
    runtime::Text const sex = read_content(ui::control::SexBox);
    runtime::Text const age = read_content(ui::control::AgeBox);
    runtime::Text const qq = read_content(ui::control::QqBox);
    runtime::Text const line =
        roster::entry_line({.name = name.bytes(), .sex = sex.bytes(), .age = age.bytes(), .qq = qq.bytes()});
    runtime::Text const roster = read_content(ui::control::RosterBox);
    runtime::write_content(ui::control::RosterBox, roster::concatenate({roster.bytes(), line.bytes()}));
}

void ok_click()
{
    if (ok_algorithm == OkAlgorithm::InPlace)
        roster::ok_button_click();
    else
        whole_text_ok_click();
}

constexpr auto BenchBindings = std::array{runtime::ClickBinding{"按钮1", ok_click}};

} // namespace

QPointer<runtime::qt::MainWindow> open_bench_window()
{
    QPointer window = new runtime::qt::MainWindow(BenchBindings);
    window->showCentred();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active");
    control<QLineEdit>(ui::control::NameBox)->setText(QStringLiteral("欧阳明"));
    control<QLineEdit>(ui::control::AgeBox)->setText(QStringLiteral("34"));
    control<QLineEdit>(ui::control::QqBox)->setText(QStringLiteral("123456789"));
    settle();
    return window;
}

void use_ok_algorithm(OkAlgorithm algorithm)
{
    ok_algorithm = algorithm;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace bench
