// Renders the main window to a PNG, as the README shows it: a few people added through the real handlers.
//   cmake --build build --target screenshot && QT_QPA_PLATFORM=offscreen build/tools/screenshot/screenshot
//   docs/window.png

#include "roster/handlers.h"
#include "runtime/qt/application.h"
#include "runtime/qt/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <cstdio>

namespace {

struct SamplePerson {
    char const* name;
    int sex;
    char const* age;
    char const* qq;
};

constexpr SamplePerson SamplePeople[] = {
    {"张三", 0, "20", "123456789"},
    {"李四", 1, "31", "88-1024"},
    {"王小明", 0, "27", "2026121101"},
};

void add(runtime::qt::MainWindow const& window, SamplePerson const& person)
{
    static_cast<QLineEdit*>(window.control("编辑框1"))->setText(QString::fromUtf8(person.name));
    static_cast<QComboBox*>(window.control("组合框1"))->setCurrentIndex(person.sex);
    static_cast<QLineEdit*>(window.control("编辑框2"))->setText(QString::fromUtf8(person.age));
    static_cast<QLineEdit*>(window.control("编辑框4"))->setText(QString::fromUtf8(person.qq));
    roster::ok_button_click();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    runtime::qt::prepare_application();
    runtime::qt::MainWindow window({});
    window.showCentred();
    for (SamplePerson const& person : SamplePeople)
        add(window, person);
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
