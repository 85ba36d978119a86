// The start-up baseline: the least a Qt Widgets program does to show a window of the main window's size with its
// four Chinese labels, so that both programs load the same fonts. Reports like bench_brisvale_window.

#include "bench/first_paint.h"

#include <QApplication>
#include <QLabel>

#include <array>
#include <cstdlib>

namespace {

struct Label {
    char const* text;
    QRect rect;
};

constexpr auto Labels = std::array<Label, 4>{Label{"姓名：", {0, 24, 56, 32}}, Label{"年龄：", {0, 120, 56, 32}},
                                             Label{"性别：", {0, 72, 56, 32}}, Label{"QQ号：", {0, 160, 56, 32}}};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(552, 250);
    for (Label const& label : Labels)
        (new QLabel(QString::fromUtf8(label.text), &window))->setGeometry(label.rect);
    bench::after_first_paint([&window](QWidget const* widget) { return widget == &window; },
                             [] {
                                 bench::report_now("first_paint_ns");
                                 bench::report("idle_rss_bytes", bench::resident_bytes());
                                 std::_Exit(0);
                             });
    window.show();
    return QApplication::exec();
}
